// RoadNoise conversions beyond the golden cases: the status shown, a bare
// master file name, the command line.

#include "convert_program.h"
#include "roadnoise_test_support.h"

namespace kalvor::test {
namespace {

TEST(RoadNoiseStatus, OnlyProcessingIsShown) {
  ScratchDir scratch;
  const auto master = copy_project(scratch, "roads", "PROJECT.MAS");
  FakeJob job;
  prepare_job(job, master, scratch / "report.txt");
  RoadNoise_Lib().Convert_From_RoadNoise(job);
  EXPECT_EQ(job.statuses, std::vector<std::string>{"Processing..."});
}

TEST(RoadNoiseMasterPath, BareFileNameFindsCompanionsInTheCurrentFolder) {
  ScratchDir scratch;
  const auto master = copy_project(scratch, "no_read", "NOREAD.MAS");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(master.parent_path());
  FakeJob job;
  prepare_job(job, "NOREAD.MAS", scratch / "report.txt");
  RoadNoise_Lib converter;
  EXPECT_NO_THROW(converter.Convert_From_RoadNoise(job));
  std::filesystem::current_path(previous);
  EXPECT_SAME_REPORT(read_file(data_dir() / "roadnoise" / "no_read" / "expected.txt"),
                     read_file(scratch / "report.txt"));
}

TEST(RoadNoiseCommandLine, ConvertsProjectLikeTheLibrary) {
  ScratchDir scratch;
  const auto master = copy_project(scratch, "roads", "PROJECT.MAS");
  const auto report = scratch / "report.txt";
  ASSERT_EQ(convert_with_kalvor_convert("roadnoise", master, report).exit_status, 0);
  EXPECT_SAME_REPORT(read_file(data_dir() / "roadnoise" / "roads" / "expected.txt"),
                     read_file(report));
}

TEST(RoadNoiseCommandLine, ConvertsTheExampleProject) {
  ScratchDir scratch;
  const auto example = data_dir().parent_path().parent_path() / "examples" / "roadnoise";
  std::filesystem::copy(example, scratch.path() / "example",
                        std::filesystem::copy_options::recursive);
  const auto report = scratch / "example.txt";
  ASSERT_EQ(
      convert_with_kalvor_convert("roadnoise", scratch.path() / "example" / "SHATIN.MAS", report)
          .exit_status,
      0);
  EXPECT_NE(read_file(report).find("Receiver(s):"), std::string::npos);
}

}  // namespace
}  // namespace kalvor::test
