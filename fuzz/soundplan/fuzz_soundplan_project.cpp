// Feeds arbitrary bytes as one SoundPLAN project file through the first stage
// of the conversion (the intermediate files). The first byte chooses the kind
// of file (road, absorbing barrier, reflecting object, receiver), the rest is
// the file. A conversion may fail with a clear error; anything else (a crash,
// a sanitizer report, another exception) is a fault.
#include "fuzz_support.h"
#include "soundplan/soundplan_lib.h"

using namespace kalvor::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const char* const kinds[] = {"STRA.001", "BEUG.001", "REFL.001", "IMIS.001"};
  const auto& dir = scratch_dir("fuzz-soundplan");
  clear_dir(dir);
  write_file(dir / kinds[data[0] % 4], as_text(data + 1, size - 1));
  static kalvor::SoundPlan_Lib converter;  // reused, as the window reuses it
  FuzzJob job((dir / "chosen.sp").string(), (dir / "report.txt").string());
  convert_guarded(dir, [&] { converter.Write_SP2HFA_Files(job, dir.string()); });
  return 0;
}
