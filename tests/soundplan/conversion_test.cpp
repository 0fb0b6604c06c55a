// The whole conversion: the hand-over of the intermediate files to the
// HFANoise stage through the job details, and what is left afterwards.
#include <gtest/gtest.h>

#include "command/convert_command.h"
#include "soundplan/soundplan_lib.h"
#include "sp_test_support.h"

namespace kalvor::test {
namespace {

// Records the job details as the HFANoise stage finds them: the first status
// that stage sets comes after the hand-over.
class HandOverJob : public FakeJob {
 public:
  void set_text(std::string_view control, const std::string& value) override {
    FakeJob::set_text(control, value);
    if (control == control::Status && !seen && value.rfind("Processing... (SoundPlan", 0) != 0) {
      seen = true;
      input = text(control::InputPath);
      dialog = text(control::DialogFileName);
      layout_barrier = text(control::LayoutBarrierFile);
      layout_switch = check_value(control::LayoutBarrierSwitch);
      file_enabled = enabled(control::LayoutBarrierFile);
      browse_enabled = enabled(control::LayoutBarrierBrowse);
    }
  }
  bool seen = false;
  std::string input, dialog, layout_barrier;
  int layout_switch = -1;
  bool file_enabled = true, browse_enabled = true;
};

constexpr const char* kSmallProject =
    "file STRA.001\nK Main Road\nS \\LME | /F1200/10/V50/Z4\\\nD 0 0 0 0 0 7\nD 100 0 0 0 0 7\n"
    "file IMIS.001\nD 50 30 1.2 1 0 0 House\n";

TEST(Conversion, HandsTheIntermediateFilesToTheHfaNoiseStageAndGivesTheJobBack) {
  SoundPlanProject project(kSmallProject);
  HandOverJob job;
  job.fill_project_details();
  const std::string chosen = (project.dir / "chosen.sp").string();
  job.set_text(control::InputPath, chosen);
  job.set_text(control::OutputPath, (project.dir / "report.txt").string());
  const auto before = list_files(project.dir.path());

  job.select_format("soundplan");
  ConvertCommand command(job);
  command.cmdConvert2KALVOR_Click();

  ASSERT_TRUE(job.seen) << command.last_failure();
  {
    EXPECT_EQ((project.dir / "SP2HFA.txt").string(), job.input);
    EXPECT_EQ((project.dir / "SP2HFA_laybarr.txt").string(), job.layout_barrier);
    EXPECT_EQ(1, job.layout_switch);
    EXPECT_FALSE(job.file_enabled);
    EXPECT_FALSE(job.browse_enabled);
    // No dialog file was picked: the header's date comes from the user's file.
    EXPECT_EQ(chosen, job.dialog);
  }
  EXPECT_EQ(chosen, job.text(control::InputPath));
  EXPECT_EQ("", job.text(control::DialogFileName));
  EXPECT_EQ(0, job.check_value(control::LayoutBarrierSwitch));
  EXPECT_EQ("", job.text(control::LayoutBarrierFile));
  EXPECT_EQ(command.last_conversion_succeeded(),
            std::filesystem::exists(project.dir / "report.txt"));
  std::filesystem::remove(project.dir / "report.txt");
  EXPECT_EQ(before, list_files(project.dir.path()));
}

TEST(Conversion, FailureOfTheHfaNoiseStageLeavesNoIntermediateFile) {
  SoundPlanProject project(kSmallProject);
  const std::string chosen = project.job.text(control::InputPath);
  project.job.set_text(control::OutputPath, (project.dir / "missing" / "report.txt").string());
  const auto before = list_files(project.dir.path());

  project.job.select_format("soundplan");
  ConvertCommand command(project.job);
  command.cmdConvert2KALVOR_Click();
  EXPECT_FALSE(command.last_conversion_succeeded());

  EXPECT_EQ(chosen, project.job.text(control::InputPath));
  EXPECT_EQ(0, project.job.check_value(control::LayoutBarrierSwitch));
  EXPECT_EQ(before, list_files(project.dir.path()));
}

TEST(Conversion, FailureOfTheFirstStageLeavesTheJobUntouched) {
  SoundPlanProject project("file STRA.001\nR D 00\n");
  project.job.set_text(control::InputPath, (project.dir / "no-such-folder" / "x").string());
  EXPECT_ANY_THROW(SoundPlan_Lib().Convert_From_SoundPlan(project.job));
  EXPECT_EQ((project.dir / "no-such-folder" / "x").string(), project.job.text(control::InputPath));
  EXPECT_EQ(0, project.job.check_value(control::LayoutBarrierSwitch));
}

}  // namespace
}  // namespace kalvor::test
