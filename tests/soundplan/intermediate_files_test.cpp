// The intermediate HFANoise input file and layout-barrier file of small
// projects, compared line for line with hand-made expectations.
#include <gtest/gtest.h>

#include "soundplan/soundplan_lib.h"
#include "sp_test_support.h"

namespace kalvor::test {
namespace {

class IntermediateFiles : public ::testing::TestWithParam<const char*> {};

TEST_P(IntermediateFiles, MatchExpectedFilesAndLeaveNoTemporaryFile) {
  const auto data = data_dir() / "soundplan" / GetParam();
  SoundPlanProject project(read_file(data / "project.txt"));
  const auto before = list_files(project.dir.path());

  SoundPlan_Lib converter;
  const auto files = converter.Write_SP2HFA_Files(project.job, project.dir.path().string());

  EXPECT_EQ((project.dir / "SP2HFA.txt").string(), files.input);
  EXPECT_EQ((project.dir / "SP2HFA_laybarr.txt").string(), files.layout_barrier);
  EXPECT_SAME_REPORT(read_file(data / "expected_SP2HFA.txt"), project.intermediate());
  EXPECT_SAME_REPORT(read_file(data / "expected_SP2HFA_laybarr.txt"), project.layout_barrier());
  std::filesystem::remove(files.input);
  std::filesystem::remove(files.layout_barrier);
  EXPECT_EQ(before, list_files(project.dir.path()));
  EXPECT_TRUE(project.job.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Projects, IntermediateFiles,
                         ::testing::Values("empty", "roads", "bridge", "barriers_receivers"));

TEST(IntermediateFilesStatus, AnnouncesEveryKindOfFile) {
  SoundPlanProject project("file STRA.001\nD 0 0 0 0 0 5\n");
  SoundPlan_Lib().Write_SP2HFA_Files(project.job, project.dir.path().string());
  EXPECT_EQ((std::vector<std::string>{
                "Processing... (SoundPlan)", "Processing... (SoundPlan - STRA.*)",
                "Processing... (SoundPlan - BEUG.*)", "Processing... (SoundPlan - REFL.*)",
                "Processing... (SoundPlan - IMIS.*)", "Processing... (SoundPlan)"}),
            project.job.statuses);
}

}  // namespace
}  // namespace kalvor::test
