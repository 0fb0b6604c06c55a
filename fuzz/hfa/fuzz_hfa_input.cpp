// Feeds arbitrary bytes through a whole HFANoise conversion, as the convert
// command runs it. The bytes up to
// a line "====" are the HFANoise input file, the bytes after it (when there is
// such a line) the layout-barrier file. A conversion may fail with a clear
// error; anything else (a crash, a hang, a sanitizer report, another
// exception, a report left half-written) is a fault.
#include "fuzz_command.h"
#include "hfa/hfa_lib.h"

using namespace kalvor::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = as_text(data, size);
  const auto& dir = scratch_dir("fuzz-hfa");
  const auto input = dir / "input.txt";
  std::string layout_barriers;
  const std::size_t mark = bytes.find("\n====\n");
  write_file(input, bytes.substr(0, mark));
  if (mark != std::string_view::npos) {
    layout_barriers = (dir / "laybarr.txt").string();
    write_file(layout_barriers, bytes.substr(mark + 6));
  }
  static kalvor::HFA_Lib converter;  // reused, as the window reuses it
  FuzzJob job(input.string(), (dir / "report.txt").string(), layout_barriers);
  convert_as_the_command_does(dir, job, "hfanoise", [&](kalvor::JobDetails& details) {
    converter.Convert_From_HFANoise(details);
  });
  clear_dir(dir);
  return 0;
}
