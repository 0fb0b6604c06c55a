// Reading of project files: names, record framing, damaged files and the
// keyword lines that steer the translation.
#include <gtest/gtest.h>

#include <sstream>

#include "soundplan/soundplan_lib.h"
#include "sp_test_support.h"

namespace kalvor::test {
namespace {

struct Written {
  std::string intermediate, layout_barrier;
  std::vector<std::string> messages;
};

Written convert_first_stage(const std::string& description) {
  SoundPlanProject project(description);
  SoundPlan_Lib().Write_SP2HFA_Files(project.job, project.dir.path().string());
  return {project.intermediate(), project.layout_barrier(), message_texts(project.job)};
}

// The message of the first stage's failure on the described project.
std::string first_stage_failure(const std::string& description) {
  SoundPlanProject project(description);
  try {
    SoundPlan_Lib().Write_SP2HFA_Files(project.job, project.dir.path().string());
  } catch (const ConversionError& e) {
    EXPECT_TRUE(message_texts(project.job).empty());
    return e.what();
  }
  return "no failure";
}

std::vector<std::string> links(const Written& w) {
  return section(w.intermediate, 1);
}
std::vector<std::string> nodes(const Written& w) {
  return section(w.intermediate, 2);
}
std::vector<std::string> layouts(const Written& w) {
  return section(w.intermediate, 3);
}
std::vector<std::string> layout_barriers(const Written& w) {
  return section(w.layout_barrier, 1);
}

// The number in the given column of a line of blank-separated columns.
std::string word(const std::string& line, std::size_t index) {
  std::istringstream in(line);
  std::string w;
  for (std::size_t i = 0; i <= index && in >> w;) ++i;
  return w;
}

TEST(GetRoadPara, ReadsTheFieldBehindTheKey) {
  SoundPlan_Lib sp;
  bool found = false;
  EXPECT_EQ("12", sp.GetRoadPara("/F12/3/V45", "/F", 1, found));
  EXPECT_TRUE(found);
  EXPECT_EQ("3", sp.GetRoadPara("/F12/3/V45", "/F", 2, found));
  // No separator follows: the field runs to the end of the text.
  EXPECT_EQ("45", sp.GetRoadPara("/F12/3/V45", "/V", 1, found));
  // Beyond the last "/" field the last field is returned.
  EXPECT_EQ("V45", sp.GetRoadPara("/F12/3/V45", "/F", 5, found));
  EXPECT_EQ("1.5", sp.GetRoadPara("/Z2/0/1.5\\", "/Z", 3, found));
  EXPECT_EQ("", sp.GetRoadPara("/F12/3/V45", "/Z", 1, found));
  EXPECT_FALSE(found);
  EXPECT_EQ("", sp.GetRoadPara("/F", "/F", 1, found));
  EXPECT_TRUE(found);
}

TEST(EmissionData, ValuesComeFromTheirKeys) {
  // The speed is the last field, with no separator behind it.
  auto w = convert_first_stage("file STRA.001\nS \\LME | /F100/2/Z0/V40\nD 0 0 0 0 0 5\n");
  EXPECT_TRUE(w.messages.empty());
  ASSERT_EQ(1u, layouts(w).size());
  EXPECT_EQ(
      "      1      100.00  40.00    2.00     N/A        S0       No      Yes   A->B    0.000   "
      "5.00  N/A",
      layouts(w)[0]);
}

// Counted as 0 it would leave the road without traffic, speed or surface.
TEST(EmissionData, MissingKeyFailsNamingTheRecord) {
  const std::string message =
      first_stage_failure("file STRA.001\nS \\LME | /F100/2/V40\nD 0 0 0 0 0 5\n");
  EXPECT_NE(message.find("STRA.001, record 1 at byte"), std::string::npos) << message;
  EXPECT_NE(message.find("has no /Z value"), std::string::npos) << message;
}

TEST(EmissionData, AllBlankParametersStillStartANewLayout) {
  auto w = convert_first_stage(
      "file STRA.001\nD 0 0 0 0 0 5\nD 10 0 0 0 0 5\nS \\LME |    \nD 20 0 0 0 0 5\n");
  ASSERT_EQ(2u, layouts(w).size());
  EXPECT_EQ("2", word(layouts(w)[1], 0));
  ASSERT_EQ(2u, links(w).size());
  EXPECT_EQ("1", word(links(w)[1], 3));  // the link into the new layout keeps the old one
  EXPECT_TRUE(w.messages.empty());
}

TEST(EmissionData, UnterminatedParametersEndWithTheirRecord) {
  // Were the scan to run on into the next record, it would find that
  // record's /Z and the first text would seem complete.
  const std::string message = first_stage_failure(
      "file STRA.001\nS \\LME |~ /F100/2/V40\nS \\LME | /F50/1/V30/Z4\\\nD 0 0 0 0 0 5\n");
  EXPECT_NE(message.find("record 1 at byte"), std::string::npos) << message;
  EXPECT_NE(message.find("\"/F100/2/V40\" has no /Z value"), std::string::npos) << message;
}

TEST(KeywordLines, WithoutFieldsAreIgnored) {
  auto w = convert_first_stage("file STRA.001\nD 0 0 0 0 0 5\nS \nS    \nD 10 0 0 0 0 5\n");
  EXPECT_EQ(1u, links(w).size());
  EXPECT_TRUE(w.messages.empty());
}

TEST(Parapets, ShortDefinitionReadsMissingValuesAsZero) {
  auto w = convert_first_stage(
      "file STRA.001\nD 0 0 0 0 0 6\nS BA LD= -2 x 4\nD 10 0 0 0 0 6\nS BE\nD 20 0 0 0 0 6\n");
  ASSERT_EQ(1u, layout_barriers(w).size());
  EXPECT_EQ(
      "     2     0.00     0.00    51.34     0.00     0.00     0.00     2.00     4.00     0.00     "
      "0.00        1",
      layout_barriers(w)[0]);
}

TEST(Parapets, NegativeDistanceWithZeroHeightGivesAngleZero) {
  auto w = convert_first_stage(
      "file STRA.001\nD 0 0 0 0 0 6\nS \\BA LD= -2 x 0 x -1 x 0 x\nD 10 0 0 0 0 6\n"
      "S \\BE\nD 20 0 0 0 0 6\n");
  ASSERT_EQ(1u, layout_barriers(w).size());
  EXPECT_EQ("0.00", word(layout_barriers(w)[0], 3));
  EXPECT_EQ("0.00", word(layout_barriers(w)[0], 6));
}

TEST(Parapets, RoadStartingOnABridgeGetsOneLayoutPerSection) {
  auto w = convert_first_stage(
      "file STRA.001\nS \\LME | /F100/2/V40/Z4\\\nS BA LD= 1 x 1 x 1 x 1 x\n"
      "D 0 0 0 0 0 6\nD 10 0 0 0 0 6\nD 20 0 0 0 0 6\nS BE\nD 30 0 0 0 0 6\nD 40 0 0 0 0 6\n");
  ASSERT_EQ(2u, layouts(w).size());
  EXPECT_EQ("1", word(layouts(w)[0], 0));
  EXPECT_EQ("Yes", word(layouts(w)[0], 6));
  EXPECT_EQ("2", word(layouts(w)[1], 0));
  std::vector<std::string> link_layouts;
  for (const auto& link : links(w)) link_layouts.push_back(word(link, 3));
  EXPECT_EQ((std::vector<std::string>{"1", "1", "1", "2"}), link_layouts);
  ASSERT_EQ(1u, layout_barriers(w).size());
  EXPECT_EQ("1", word(layout_barriers(w)[0], 0));
  EXPECT_EQ("3", word(layout_barriers(w)[0], 11));
}

TEST(Receivers, StoreyHeightWithoutValueIsZeroAndNegativeCountWritesNothing) {
  auto w =
      convert_first_stage("file IMIS.001\nS \\SH 3\nS \\SH\nD 1 2 5 2 0 0 A\nD 1 2 5 -3 0 0 B\n");
  ASSERT_EQ(2u, nodes(w).size());
  EXPECT_EQ("5.00", word(nodes(w)[0], 3));
  EXPECT_EQ("5.00", word(nodes(w)[1], 3));
}

TEST(ReflectingObjects, FirstSegmentAtTheOriginGetsItsOwnNode) {
  auto w =
      convert_first_stage("file BEUG.001\nD 7 7 0 2 0 1\nfile REFL.001\nD 0 0 0 5 0 0 3 0.5\n");
  ASSERT_EQ(3u, nodes(w).size());
  ASSERT_EQ(1u, links(w).size());
  EXPECT_EQ("2", word(links(w)[0], 1));
  EXPECT_EQ("3", word(links(w)[0], 2));
}

// A damaged file fails the conversion, naming the file and the byte at which
// the bad record starts, and leaves nothing behind.
struct Damage {
  const char* record;
  const char* place;  // where the message must point
};

class DamagedFile : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedFile, FailsNamingTheFileAndTheBadRecord) {
  SoundPlanProject project(std::string("file STRA.001\nD 0 0 0 0 0 5\n") + GetParam().record +
                           "\nfile STRA.002\nD 50 0 0 0 0 5\n");
  const auto before = list_files(project.dir.path());
  try {
    SoundPlan_Lib().Write_SP2HFA_Files(project.job, project.dir.path().string());
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    const std::string message = e.what();
    EXPECT_NE(std::string::npos, message.find(GetParam().place)) << message;
  }
  EXPECT_EQ(before, list_files(project.dir.path()));
}

// The good point record is 62 bytes long, so the bad record starts at byte 63.
INSTANTIATE_TEST_SUITE_P(
    Faults, DamagedFile,
    ::testing::Values(
        Damage{"B F4 01 44", "STRA.001, record 2 at byte 63: expected a record length"},
        Damage{"B 00 00 44", "STRA.001, record 2 at byte 63"},
        Damage{"B FF FF 44", "STRA.001, record 2 at byte 63"},
        Damage{"B 40 00 44 00 00", "STRA.001, record 2 at byte 63"},
        Damage{"B 07", "STRA.001, record 2 at byte 63"},
        Damage{"R D 00 00 00", "STRA.001, record 2 at byte 63: the record is shorter"},
        Damage{"R K 05 41 42", "STRA.001, record 2 at byte 63"},
        Damage{"R S 09 5C 53 48", "STRA.001, record 2 at byte 63"}));

TEST(LargeFile, IsReadBeyond32767Bytes) {
  std::string description = "file STRA.001\n";
  for (int i = 0; i < 600; ++i) description += "D " + std::to_string(i) + " 0 0 0 0 5\n";
  auto w = convert_first_stage(description);
  EXPECT_EQ(600u, nodes(w).size());
  EXPECT_EQ(599u, links(w).size());
  EXPECT_EQ("599.00", word(nodes(w).back(), 1));
}

TEST(NotANumber, FailsNamingTheFileAndRecordAndLeavesNoFileBehind) {
  std::string nan_point = "R D";
  for (int i = 0; i < 59; ++i) nan_point += i == 6 ? " F8" : i == 7 ? " 7F" : " 00";
  SoundPlanProject project("file STRA.001\nD 0 0 0 0 0 5\n" + nan_point + "\n");
  const auto before = list_files(project.dir.path());
  try {
    SoundPlan_Lib().Write_SP2HFA_Files(project.job, project.dir.path().string());
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    const std::string message = e.what();
    EXPECT_NE(std::string::npos, message.find("STRA.001, record 2 at byte 63")) << message;
    EXPECT_NE(std::string::npos, message.find("finite number")) << message;
  }
  EXPECT_EQ(before, list_files(project.dir.path()));
}

}  // namespace
}  // namespace kalvor::test
