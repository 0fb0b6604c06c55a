// Conversions that must fail with a clear message, and the conversion's
// protocol towards the window.
#include <gtest/gtest.h>

#include <algorithm>

#include "convert_program.h"
#include "hfa/hfa_lib.h"
#include "hfa_test_support.h"

namespace kalvor::test {
namespace {

// A one-section project whose link section holds `links` (CR LF lines).
std::string project_with_links(const std::string& links, const std::string& nodes = "") {
  return "Bad project\r\n ----\r\n" + links + "\r\n\r\n ----\r\n" + nodes +
         "\r\n ----\r\n 1 100 50 5 1 per no no a->b 0 7 new\r\n\r\n";
}

// Runs the converter on `input` and returns the failure message.
std::string failure_of(const std::string& input) {
  HfaProject project("network");
  write_file(project.input(), input);
  try {
    project.convert();
  } catch (const ConversionError& e) {
    return e.what();
  }
  ADD_FAILURE() << "the conversion did not fail";
  return "";
}

TEST(HfaFailure, ShortLinkLineNamesFileLineAndFieldCount) {
  std::string message = failure_of(project_with_links(" 1 1 2 1 road yes soft hard\r\n ---- ----"));
  EXPECT_NE(std::string::npos, message.find("input.txt")) << message;
  EXPECT_NE(std::string::npos, message.find("line 4")) << message;
  EXPECT_NE(std::string::npos, message.find("at least 6 fields")) << message;
}

TEST(HfaFailure, ShortRoadLineFailsEvenWhenItIsNotTheFirst) {
  std::string message = failure_of(project_with_links(" 1 1 2 1 road yes soft\r\n"));
  EXPECT_NE(std::string::npos, message.find("line 3")) << message;
  EXPECT_NE(std::string::npos, message.find("at least 8 fields")) << message;
}

TEST(HfaFailure, ShortBarrierAndBuildingLines) {
  EXPECT_NE(std::string::npos,
            failure_of(project_with_links(" 1 1 2 0 barrier yes - -")).find("at least 9 fields"));
  EXPECT_NE(
      std::string::npos,
      failure_of(project_with_links(" 1 1 2 0 building yes - - 1 2")).find("at least 11 fields"));
}

TEST(HfaFailure, ShortLinesWithEqualNodesAreDroppedWithoutFailure) {
  HfaProject project("network");
  write_file(project.input(), project_with_links(" 1 2 2 1 road yes"));
  EXPECT_NO_THROW(project.convert());
}

TEST(HfaFailure, ShortNodeLineNamesTheLine) {
  std::string message =
      failure_of(project_with_links(" 1 1 2 1 road yes soft hard", " 1 0 0 0 0\r\n 2 5 5\r\n"));
  EXPECT_NE(std::string::npos, message.find("input.txt, line 7: the node line \"2 5 5\""))
      << message;
  EXPECT_NE(std::string::npos, message.find("at least 5 expected")) << message;
}

TEST(HfaFailure, ShortLayoutLineNamesTheLine) {
  std::string input =
      "T\r\n ----\r\n 1 1 2 1 road yes soft hard\r\n\r\n ----\r\n 1 0 0 0 0\r\n"
      " 2 9 9 9 9\r\n\r\n ----\r\n 1 100 50\r\n";
  std::string message = failure_of(input);
  EXPECT_NE(std::string::npos, message.find("input.txt, line 10: the layout line \"1 100 50\""))
      << message;
}

TEST(HfaFailure, MissingInputFileFails) {
  HfaProject project("network");
  std::filesystem::remove(project.input());
  EXPECT_ANY_THROW(project.convert());
}

TEST(HfaConversion, ReusedConverterStartsEachConversionAfresh) {
  HfaProject first("network");
  HFA_Lib converter;
  converter.Convert_From_HFANoise(first.job);
  HfaProject second("network");
  converter.Convert_From_HFANoise(second.job);
  EXPECT_SAME_REPORT(second.expected(), read_file(second.report()));
}

// A road whose layout field is not a number shows "???" like a road whose
// layout is unknown, not the flow and speed of the road link before it.
TEST(HfaConversion, RoadWithoutALayoutNumberShowsUnknownLayoutValues) {
  HfaProject project("network");
  write_file(
      project.input(),
      project_with_links(" 1 1 2 1 road yes soft soft Known\r\n 2 3 4 x road yes soft soft Odd",
                         " 1 0 0 0 0\r\n 2 10 0 0 0\r\n 3 20 0 0 0\r\n 4 30 0 0 0\r\n"));
  project.convert();
  const std::string report = read_file(project.report());
  const std::size_t known = report.find("Link ID:    Known");
  const std::size_t odd = report.find("Link ID:    Odd");
  ASSERT_NE(odd, std::string::npos) << report;
  EXPECT_NE(report.find("Flow:       100.0 veh/hr", known), std::string::npos) << report;
  EXPECT_EQ(report.find("Flow:       ??? veh/hr", known), report.find("Flow:", odd)) << report;
}

TEST(HfaConversion, AnnouncesEachPhaseInOrder) {
  HfaProject project("network");
  project.convert();
  const std::vector<std::string> expected = {
      "Creating temporary files for further processing ...",
      "Creating temporary files for further processing ... (Road A->B)",
      "Creating temporary files for further processing ... (Road B->A)",
      "Creating temporary files for further processing ... (Barrier)",
      "Creating temporary files for further processing ... (Receiver)",
      "Processing...",
      "Processing... (Road)",
      "Processing... (Barrier)",
      "Processing... (Receiver)",
      "Formatting Output... ",
  };
  EXPECT_EQ(expected, project.job.statuses);
}

TEST(HfaConversion, ProgressStaysWithinTheBar) {
  HfaProject project("network");
  project.convert();
  for (float value : project.job.progress_values) {
    EXPECT_GE(value, 0.0f);
    EXPECT_LE(value, 100.0f);
  }
  // The translation phase starts at a quarter and advances record by record.
  EXPECT_NE(project.job.progress_values.end(), std::find(project.job.progress_values.begin(),
                                                         project.job.progress_values.end(), 25.0f));
}

// The command line converts the example and leaves nothing else behind; a
// failed conversion leaves no report and no temporary file.
class HfaCommandLine : public ::testing::Test {
 protected:
  int convert(const std::filesystem::path& input, const std::filesystem::path& report,
              const std::string& extra = "") {
    return convert_with_kalvor_convert("hfanoise", input, report, extra).exit_status;
  }
  ScratchDir dir;
};

TEST_F(HfaCommandLine, ConvertsTheExampleProject) {
  std::filesystem::path example = data_dir().parent_path().parent_path() / "examples/hfanoise";
  std::filesystem::copy(example / "example.dat", dir / "example.dat");
  ASSERT_EQ(0, convert(dir / "example.dat", dir / "report.txt"));
  EXPECT_EQ("example.dat\nreport.txt\n", list_files(dir.path()));
  EXPECT_NE(std::string::npos, read_file(dir / "report.txt").find("Link ID:    Flyover EB"));
}

TEST_F(HfaCommandLine, FailedConversionLeavesNothingBehind) {
  write_file(dir / "bad.dat", project_with_links(" 1 1 2 1 road yes soft"));
  EXPECT_EQ(1, convert(dir / "bad.dat", dir / "report.txt"));
  EXPECT_EQ("bad.dat\n", list_files(dir.path()));
}

}  // namespace
}  // namespace kalvor::test
