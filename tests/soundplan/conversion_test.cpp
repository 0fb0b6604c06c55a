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
    // The intermediate files are the conversion's own, in its private folder.
    const std::filesystem::path input(job.input), layout_barrier(job.layout_barrier);
    EXPECT_EQ("SP2HFA.txt", input.filename());
    EXPECT_EQ("SP2HFA_laybarr.txt", layout_barrier.filename());
    EXPECT_EQ(input.parent_path(), layout_barrier.parent_path());
    EXPECT_EQ(0u, input.parent_path().filename().string().rfind(".kalvor-", 0)) << job.input;
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

// Files of the user's that bear the intermediate files' names are neither
// read nor changed, whether the conversion succeeds or fails.
TEST(Conversion, LeavesTheUsersFilesOfAnyNameAlone) {
  for (const char* project_text : {kSmallProject, "file STRA.001\nD 0 0 0 0 0 5\nB F4 01 44\n"}) {
    SoundPlanProject project(project_text);
    write_file(project.dir / "SP2HFA.txt", "the user's notes\r\n");
    write_file(project.dir / "SP2HFA_laybarr.txt", "the user's barriers\r\n");
    const auto before = list_files(project.dir.path());
    project.job.select_format("soundplan");
    ConvertCommand command(project.job);
    command.cmdConvert2KALVOR_Click();
    std::filesystem::remove(project.dir / "report.txt");
    EXPECT_EQ(before, list_files(project.dir.path()));
    EXPECT_EQ("the user's notes\r\n", read_file(project.dir / "SP2HFA.txt"));
    EXPECT_EQ("the user's barriers\r\n", read_file(project.dir / "SP2HFA_laybarr.txt"));
  }
}

// A folder given as the input is the project folder itself.
TEST(Conversion, AFolderAsInputMeansItsProject) {
  SoundPlanProject by_file(kSmallProject);
  SoundPlanProject by_folder(kSmallProject);
  by_folder.job.set_text(control::InputPath, by_folder.dir.path().string());
  for (SoundPlanProject* project : {&by_file, &by_folder}) {
    project->job.set_text(control::DialogFileName, "");
    SoundPlan_Lib().Convert_From_SoundPlan(project->job);
  }
  const std::string report = read_file(by_folder.dir / "report.txt");
  EXPECT_NE(std::string::npos, report.find("Main Road")) << report;
  EXPECT_EQ(lines_of(read_file(by_file.dir / "report.txt")).size(), lines_of(report).size());
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
