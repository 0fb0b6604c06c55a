// Whole projects converted and compared byte for byte with reports derived
// by hand.

#include "convert_program.h"
#include "roadnoise_test_support.h"

namespace kalvor::test {
namespace {

struct GoldenCase {
  const char* name;
  const char* master;
};

class RoadNoiseGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(RoadNoiseGolden, ReportMatchesExpected) {
  const GoldenCase& c = GetParam();
  ScratchDir scratch;
  const auto master = copy_project(scratch, c.name, c.master);
  FakeJob job;
  prepare_job(job, master, scratch / "report.txt");

  RoadNoise_Lib converter;
  converter.Convert_From_RoadNoise(job);

  EXPECT_SAME_REPORT(read_file(data_dir() / "roadnoise" / c.name / "expected.txt"),
                     read_file(scratch / "report.txt"));
  EXPECT_EQ(job.statuses, std::vector<std::string>{"Processing..."});
}

// roads: header values up to "READ" only; orphan SEND; links continued by
// end-only records; flow sign and /18; missing BAS; duplicate FNO; RST 3 and
// kept surface; NCY 0, 1, 2 and other; a flow number with no record.
// barriers: COAST.SEG sets the cut-off angle; every barrier file kind in the
// order .BAR, .HSE, .CON, .PRO, .GND, .BND; .HSE name lag; HLA; GND 0 and 1.
// receivers: stacked receivers (RPT/HPF), REF carried and absent, names cut
// to 20, the last receiver of a TEXT-separated file not written.
// no_read: no header block and no road heading; lower-case extension ignored;
// keywords never given.
// read_first: "READ" on line 1 gives an empty title and default cut-offs.
INSTANTIATE_TEST_SUITE_P(Projects, RoadNoiseGolden,
                         ::testing::Values(GoldenCase{"roads", "PROJECT.MAS"},
                                           GoldenCase{"barriers", "BARRIERS.MAS"},
                                           GoldenCase{"receivers", "RECEIVERS.MAS"},
                                           GoldenCase{"no_read", "NOREAD.MAS"},
                                           GoldenCase{"read_first", "FIRST.MAS"}),
                         [](const auto& info) { return std::string(info.param.name); });

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
