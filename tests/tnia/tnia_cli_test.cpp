// TNIA conversions through the kalvor-convert program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "golden.h"
#include "tnia_conversion.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

struct Run {
  int exit_status;
  std::string errors;
};

Run convert(const ScratchDir& dir, const fs::path& workbook, const fs::path& output) {
  const std::string command = std::string("'") + KALVOR_CONVERT_EXE + "' --format tnia --input '" +
                              workbook.string() + "' --output '" + output.string() +
                              "' --consultant 'Acme Acoustics Ltd' --phone '2345 6789'"
                              " --fax '2345 6790' --email noise@acme.example"
                              " --coordinate 'HK1980 Grid' --year 2031 --quiet 2> '" +
                              (dir / "errors.txt").string() + "'";
  const int status = std::system(command.c_str());
  std::string errors = read_file(dir / "errors.txt");
  fs::remove(dir / "errors.txt");
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, errors};
}

TEST(TniaCommandLine, ConvertsAnXlsWorkbook) {
  ScratchDir dir;
  const auto workbook = dir.copy_in("tnia/full/workbook.xls");
  set_modification_time(workbook, 2026, 3, 14, 9, 5);
  const auto run = convert(dir, workbook, dir / "report.txt");
  EXPECT_EQ(0, run.exit_status) << run.errors;
  EXPECT_SAME_REPORT(expected_report("full"), read_file(dir / "report.txt"));
  EXPECT_EQ("report.txt\nworkbook.xls\n", list_files(dir.path()));
}

TEST(TniaCommandLine, UnlistedFeatureFailsWithTheMessageAndLeavesNoReport) {
  ScratchDir dir;
  const auto workbook = dir / "model.xlsx";
  write_xlsx(parse_workbook_description("[Geometry]\nA3 s R1\nE3 s S\n[Road]\nA1 s R2\n[Barrier]\n"
                                        "[BarrierO]\n[Receiver]\n[Levels]\n"),
             workbook);
  const auto run = convert(dir, workbook, dir / "report.txt");
  EXPECT_EQ(1, run.exit_status);
  EXPECT_NE(std::string::npos, run.errors.find("kalvor-convert: Wrong worksheet input!!"))
      << run.errors;
  EXPECT_NE(std::string::npos, run.errors.find("\"R1\" of worksheet 1, row 3")) << run.errors;
  EXPECT_EQ("model.xlsx\n", list_files(dir.path()));
}

}  // namespace
}  // namespace kalvor::test
