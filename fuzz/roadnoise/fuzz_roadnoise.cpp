// Converts a small RoadNoise project in which one file holds the fuzz input:
// the first byte picks the file (master or one of the companions), the rest
// is its content. The project is converted as the convert command runs it.
// Bad input must end in a ConversionError, never a crash.
#include <array>

#include "fuzz_command.h"
#include "roadnoise/roadnoise_lib.h"

using namespace kalvor::fuzz;

namespace {

struct ProjectFile {
  const char* name;
  const char* content;
};

// A small valid project; one of its files is replaced by the fuzz input.
const std::array<ProjectFile, 10> kProject{{
    {"P.MAS",
     "RoadNoise\r\nTitle\r\nCOA 10\r\nP.FLO\r\nP.SEG\r\nP.BAR\r\nP.HSE\r\nP.CON\r\n"
     "P.PRO\r\nP.GND\r\nP.BND\r\nP.REC\r\nREAD\r\n"},
    {"P.FLO", "FNO 1       FLO -1200   PHV 10      SPD 50\r\n"},
    {"P.SEG",
     "TEXT\r\nRoad\r\nRSX 1.0     RSY 2.0     UFN 1       REX 3.0     REY 4.0\r\nSEND\r\n"},
    {"P.BAR",
     "TEXT\r\nWall\r\nBSX 1.0     BSY 2.0     HBS 3.0\r\nBEX 4.0     BEY 5.0     "
     "HBE 3.0\r\n"},
    {"P.HSE", "TEXT\r\nHouse\r\nNBA\r\nBSX 1.0     BEX 2.0\r\nNBA\r\n"},
    {"P.CON", "TEXT\r\nKerb\r\nCSX 1.0     HLA 5\r\nCEX 2.0\r\n"},
    {"P.PRO", "TEXT\r\nProfile\r\nCSX 1.0     CEX 2.0\r\n"},
    {"P.GND", "TEXT\r\nField\r\nCSX 1.0     CEX 2.0     GND 1\r\n"},
    {"P.BND", "TEXT\r\nEdge\r\nCSX 1.0     CEX 2.0\r\n"},
    {"P.REC", "TEXT\r\nHouse\r\nOPX 1.0     OPY 2.0     RPT 2       HPF 3\r\nRETN\r\n"},
}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto& folder = scratch_dir("fuzz-roadnoise");
  const std::size_t fuzzed = data[0] % kProject.size();
  for (std::size_t i = 0; i < kProject.size(); ++i)
    write_file(folder / kProject[i].name,
               i == fuzzed ? as_text(data + 1, size - 1) : std::string_view(kProject[i].content));
  FuzzJob job((folder / "P.MAS").string(), (folder / "report.txt").string());
  kalvor::RoadNoise_Lib converter;
  convert_as_the_command_does(folder, job, "roadnoise", [&](kalvor::JobDetails& details) {
    converter.Convert_From_RoadNoise(details);
  });
  return 0;
}
