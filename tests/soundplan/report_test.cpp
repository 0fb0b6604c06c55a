// Whole SoundPLAN conversions into the exchange report, through the convert
// command and through the kalvor-convert program.
#include <gtest/gtest.h>

#include "command/convert_command.h"
#include "convert_program.h"
#include "sp_test_support.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

class SoundPlanReport : public ::testing::TestWithParam<const char*> {
 protected:
  const fs::path case_dir = data_dir() / "soundplan" / GetParam();
};

TEST_P(SoundPlanReport, ThroughTheConvertCommand) {
  SoundPlanProject project(read_file(case_dir / "project.txt"));
  set_modification_time(project.dir / "chosen.sp", 2024, 5, 6, 7, 8);
  const auto before = list_files(project.dir.path());
  project.job.select_format("soundplan");
  ConvertCommand command(project.job);

  command.cmdConvert2KALVOR_Click();

  ASSERT_TRUE(command.last_conversion_succeeded()) << command.last_failure();
  EXPECT_SAME_REPORT(read_file(case_dir / "expected.txt"), read_file(project.dir / "report.txt"));
  fs::remove(project.dir / "report.txt");
  EXPECT_EQ(before, list_files(project.dir.path()));
}

TEST_P(SoundPlanReport, ThroughTheCommandLine) {
  ScratchDir dir;
  write_project(read_file(case_dir / "project.txt"), dir.path());
  set_modification_time(dir / "chosen.sp", 2024, 5, 6, 7, 8);
  const ConvertRun run =
      convert_with_kalvor_convert("soundplan", dir / "chosen.sp", dir / "report.txt");
  EXPECT_EQ(0, run.exit_status) << run.output;
  EXPECT_SAME_REPORT(read_file(case_dir / "expected.txt"), read_file(dir / "report.txt"));
}

// The second project has a viaduct whose parapets become generated barriers.
INSTANTIATE_TEST_SUITE_P(Projects, SoundPlanReport,
                         ::testing::Values("report_small", "report_bridge"));

}  // namespace
}  // namespace kalvor::test
