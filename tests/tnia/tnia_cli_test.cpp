// TNIA conversions through the kalvor-convert program.
#include <gtest/gtest.h>

#include "convert_program.h"
#include "golden.h"
#include "tnia_conversion.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

ConvertRun convert(const fs::path& input, const fs::path& output) {
  return convert_with_kalvor_convert("tnia", input, output);
}

TEST(TniaCommandLine, ConvertsAnXlsWorkbook) {
  ScratchDir dir;
  const auto workbook = dir.copy_in("tnia/full/workbook.xls");
  set_modification_time(workbook, 2026, 3, 14, 9, 5);
  const auto run = convert(workbook, dir / "report.txt");
  EXPECT_EQ(0, run.exit_status) << run.output;
  EXPECT_SAME_REPORT(expected_report("full"), read_file(dir / "report.txt"));
  EXPECT_EQ("report.txt\nworkbook.xls\n", list_files(dir.path()));
}

TEST(TniaCommandLine, UnlistedFeatureFailsWithTheMessageAndLeavesNoReport) {
  ScratchDir dir;
  const auto workbook = dir / "model.xlsx";
  write_xlsx(parse_workbook_description("[Geometry]\nA3 s R1\nE3 s S\n[Road]\nA1 s R2\n[Barrier]\n"
                                        "[BarrierO]\n[Receiver]\n[Levels]\n"),
             workbook);
  const auto run = convert(workbook, dir / "report.txt");
  EXPECT_EQ(1, run.exit_status);
  EXPECT_NE(std::string::npos, run.output.find("kalvor-convert: Wrong worksheet input!!"))
      << run.output;
  EXPECT_NE(std::string::npos, run.output.find("\"R1\" of worksheet 1, row 3")) << run.output;
  EXPECT_EQ("model.xlsx\n", list_files(dir.path()));
}

}  // namespace
}  // namespace kalvor::test
