// Feeds arbitrary bytes as an HFCNoise input file through a whole conversion,
// as the convert command runs it. A conversion may fail with a clear error;
// anything else (a crash, a sanitizer report, another exception, a report
// left half-written) is a fault.
#include "fuzz_command.h"
#include "hfc/hfc_lib.h"

using namespace kalvor::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto& dir = scratch_dir("fuzz-hfc");
  write_file(dir / "input.txt", as_text(data, size));
  static kalvor::HFC_Lib converter;  // reused, as the window reuses it
  FuzzJob job((dir / "input.txt").string(), (dir / "report.txt").string());
  convert_as_the_command_does(dir, job, "hfcnoise", [&](kalvor::JobDetails& details) {
    converter.Convert_From_HFCNoise(details);
  });
  return 0;
}
