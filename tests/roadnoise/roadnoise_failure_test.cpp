// Bad projects end the conversion with a message naming the file, the line
// and what was expected; a converter object reused for later conversions
// starts each one afresh.
#include <map>

#include "roadnoise_test_support.h"

namespace kalvor::test {
namespace {

using Files = std::map<std::string, std::vector<std::string>>;

class RoadNoiseFailure : public ::testing::Test {
 protected:
  void TearDown() override { close_all_channels(); }

  // Writes the files (lines end in CR LF) and converts P.MAS; returns the
  // message of the conversion error, or "" when the conversion succeeded.
  std::string convert(const Files& files) {
    for (const auto& [name, lines] : files) {
      std::string bytes;
      for (const auto& line : lines) bytes += line + "\r\n";
      write_file(scratch_ / name, bytes);
    }
    FakeJob job;
    prepare_job(job, scratch_ / "P.MAS", scratch_ / "report.txt");
    try {
      converter_.Convert_From_RoadNoise(job);
    } catch (const ConversionError& e) {
      close_all_channels();
      return e.what();
    }
    return "";
  }

  std::string path(const std::string& name) const { return (scratch_ / name).string(); }
  // How messages name a companion file named in line `line` of P.MAS.
  std::string companion(const std::string& what, int line, const std::string& name) const {
    return "RoadNoise " + what + " named in line " + std::to_string(line) + " of P.MAS " +
           path(name);
  }

  ScratchDir scratch_;
  RoadNoise_Lib converter_;
};

const std::vector<std::string> kOneLink = {"TEXT", "Link", "UFN 1       RSX 1", "REX 2", "SEND"};
const std::vector<std::string> kFlows = {"FNO 1       FLO 180"};

TEST_F(RoadNoiseFailure, MissingSegmentOrReceiverLineIsNamed) {
  EXPECT_EQ(convert({{"P.MAS", {"t", "R.REC"}}, {"R.REC", {}}}),
            path("P.MAS") + ": the master file names no road segment file (.SEG)");
  EXPECT_EQ(convert({{"P.MAS", {"t", "S.SEG"}}, {"S.SEG", {}}}),
            path("P.MAS") + ": the master file names no receiver file (.REC)");
}

TEST_F(RoadNoiseFailure, CompanionFileThatDoesNotExist) {
  const std::string message =
      convert({{"P.MAS", {"t", "S.SEG", "GONE.BAR", "R.REC"}}, {"S.SEG", {}}, {"R.REC", {}}});
  EXPECT_EQ(message,
            "Cannot open the " + companion("barrier file", 3, "GONE.BAR") + ": it does not exist.");
}

TEST_F(RoadNoiseFailure, SecondLineOfTheSameKind) {
  EXPECT_EQ(convert({{"P.MAS", {"t", "S.SEG", "R.REC", "T.SEG"}},
                     {"S.SEG", {}},
                     {"T.SEG", {}},
                     {"R.REC", {}}}),
            "The RoadNoise master file " + path("P.MAS") +
                ", line 4: a second road segment file (.SEG) is named; the first is named on "
                "line 2");
  EXPECT_EQ(
      convert({{"P.MAS", {"A.FLO", "S.SEG", "R.REC", "B.FLO"}}, {"S.SEG", {}}, {"R.REC", {}}}),
      "The RoadNoise master file " + path("P.MAS") +
          ", line 4: a second flow file (.FLO) is named; the first is named on line 1");
}

TEST_F(RoadNoiseFailure, TextLineEndingAFile) {
  EXPECT_EQ(
      convert({{"P.MAS", {"t", "S.SEG", "R.REC"}}, {"S.SEG", {}}, {"R.REC", {"OPX 1", "TEXT"}}}),
      "The " + companion("receiver file", 3, "R.REC") +
          ", line 3: the file ends where the name line that a \"TEXT\" line announces was "
          "expected");
}

TEST_F(RoadNoiseFailure, CodeThatIsNoNumber) {
  EXPECT_EQ(convert({{"P.MAS", {"t", "F.FLO", "S.SEG", "R.REC"}},
                     {"F.FLO", kFlows},
                     {"S.SEG", {"CAT x1", "UFN 1", "SEND"}},
                     {"R.REC", {}}}),
            "The " + companion("road segment file", 3, "S.SEG") +
                ", line 1: the value \"x1\" of keyword CAT is not a number");
  EXPECT_EQ(convert({{"P.MAS", {"t", "F.FLO", "S.SEG", "R.REC"}},
                     {"F.FLO", {"FNO 1", "BAS two     FNO 2"}},
                     {"S.SEG", {"UFN 2", "SEND"}},
                     {"R.REC", {}}}),
            "The " + companion("flow file", 2, "F.FLO") +
                ", line 2: the value \"two\" of keyword BAS is not a number");
  EXPECT_EQ(convert({{"P.MAS", {"t", "S.SEG", "R.REC"}},
                     {"S.SEG", {}},
                     {"R.REC", {"TEXT", "A", "OPX 1       REF yes", "RETN"}}}),
            "The " + companion("receiver file", 3, "R.REC") +
                ", line 3: the value \"yes\" of keyword REF is not a number");
}

TEST_F(RoadNoiseFailure, RoadLinkWithoutFlowFile) {
  EXPECT_EQ(
      convert({{"P.MAS", {"t", "S.SEG", "R.REC"}}, {"S.SEG", kOneLink}, {"R.REC", {}}}),
      path("P.MAS") + ": the master file names no flow file (.FLO), which the road links need");
  EXPECT_EQ(
      convert({{"P.MAS", {"t", "F.FLO", "S.SEG", "R.REC"}}, {"S.SEG", kOneLink}, {"R.REC", {}}}),
      "Cannot open the " + companion("flow file", 2, "F.FLO") + ": it does not exist.");
}

TEST_F(RoadNoiseFailure, ImplausiblyManyStackedReceivers) {
  EXPECT_EQ(convert({{"P.MAS", {"t", "S.SEG", "R.REC"}},
                     {"S.SEG", {}},
                     {"R.REC", {"TEXT", "Tower", "OPX 1       RPT 1e9", "RETN"}}}),
            "The " + companion("receiver file", 3, "R.REC") +
                ", line 3: receiver \"Tower\" has RPT 1e9, expected at most 999");
}

// A NUL byte quoted from a line is shown, so the message goes on behind it.
TEST_F(RoadNoiseFailure, MessageQuotingANulByteIsWhole) {
  const std::string message = convert({{"P.MAS", {"t", "F.FLO", "S.SEG", "R.REC"}},
                                       {"F.FLO", kFlows},
                                       {"S.SEG", {std::string("CAT x\0y", 7), "UFN 1", "SEND"}},
                                       {"R.REC", {}}});
  EXPECT_EQ(message, "The " + companion("road segment file", 3, "S.SEG") +
                         ", line 1: the value \"x\\x00y\" of keyword CAT is not a number");
}

TEST_F(RoadNoiseFailure, NegativeStackCountWritesNothingUntilRptIsGivenAgain) {
  ASSERT_EQ(convert({{"P.MAS", {"t", "S.SEG", "R.REC"}},
                     {"S.SEG", {}},
                     {"R.REC",
                      {"TEXT", "A", "OPX 1       RPT -1", "RETN", "TEXT", "B", "OPX 2", "RETN",
                       "TEXT", "C", "OPX 3       RPT 0", "RETN"}}}),
            "");
  const std::string report = read_file(scratch_ / "report.txt");
  EXPECT_EQ(report.find("A    "), std::string::npos);
  EXPECT_EQ(report.find("B    "), std::string::npos);
  EXPECT_NE(report.find("1   C    "), std::string::npos);
}

TEST(RoadNoiseReuse, EveryConversionStartsAfresh) {
  RoadNoise_Lib converter;
  for (const auto& [name, master] :
       {std::pair{"roads", "PROJECT.MAS"}, std::pair{"no_read", "NOREAD.MAS"},
        std::pair{"barriers", "BARRIERS.MAS"}, std::pair{"read_first", "FIRST.MAS"}}) {
    SCOPED_TRACE(name);
    ScratchDir scratch;
    const auto master_path = copy_project(scratch, name, master);
    FakeJob job;
    prepare_job(job, master_path, scratch / "report.txt");
    converter.Convert_From_RoadNoise(job);
    EXPECT_SAME_REPORT(read_file(data_dir() / "roadnoise" / name / "expected.txt"),
                       read_file(scratch / "report.txt"));
  }
}

}  // namespace
}  // namespace kalvor::test
