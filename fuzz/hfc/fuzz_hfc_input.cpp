// Feeds arbitrary bytes as an HFCNoise input file through a whole conversion.
// A conversion may fail with a clear error; anything else (a crash, a
// sanitizer report, another exception) is a fault.
#include "fuzz_support.h"
#include "hfc/hfc_lib.h"

using namespace kalvor::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto& dir = scratch_dir("fuzz-hfc");
  write_file(dir / "input.txt", as_text(data, size));
  static kalvor::HFC_Lib converter;  // reused, as the window reuses it
  FuzzJob job((dir / "input.txt").string(), (dir / "report.txt").string());
  convert_guarded(dir, [&] { converter.Convert_From_HFCNoise(job); });
  return 0;
}
