// Arbitrary bytes as the workbook of a whole TNIA conversion, run as the
// convert command runs it: it either writes a report or ends with a clear
// error and leaves the earlier report alone.
#include "fuzz_command.h"
#include "tnia/tnia_lib.h"

using namespace kalvor::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto& dir = scratch_dir("fuzz-tnia-convert");
  write_file(dir / "input.bin", as_text(data, size));
  static kalvor::TNIA_Lib converter;  // reused, as the window reuses it
  FuzzJob job((dir / "input.bin").string(), (dir / "report.txt").string());
  convert_as_the_command_does(
      dir, job, "tnia", [&](kalvor::JobDetails& details) { converter.Convert_From_TNIA(details); });
  return 0;
}
