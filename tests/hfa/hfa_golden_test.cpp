// Whole conversions of small HFANoise projects compared with their reports.
#include <gtest/gtest.h>

#include "hfa_test_support.h"

namespace kalvor::test {
namespace {

class HfaGolden : public ::testing::TestWithParam<const char*> {};

TEST_P(HfaGolden, ReportMatchesByteForByte) {
  HfaProject project(GetParam());
  project.convert();
  EXPECT_SAME_REPORT(project.expected(), read_file(project.report()));
}

TEST_P(HfaGolden, LeavesNoTemporaryOrPieceFiles) {
  HfaProject project(GetParam());
  const std::string before = list_files(project.folder());
  project.convert();
  EXPECT_EQ(before, list_files(project.folder()));
  EXPECT_EQ("report.txt\n", list_files(project.report().parent_path()));
}

INSTANTIATE_TEST_SUITE_P(Projects, HfaGolden,
                         ::testing::Values("network", "empty_node_section", "soundplan_title",
                                           "no_sections", "layout_barriers"));

}  // namespace
}  // namespace kalvor::test
