// The golden cases that have a description (workbook.txt) again from .xlsx,
// written here by libxlsxwriter from the same data as their .xls (which the
// golden harness converts, with any committed .xlsx twin).
#include <gtest/gtest.h>

#include "golden.h"
#include "tnia_conversion.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

class TniaGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(TniaGolden, XlsxGivesTheExpectedReport) {
  TniaConversion conversion(description_of_case(GetParam()));
  conversion.run();
  EXPECT_SAME_REPORT(expected_report(GetParam()), conversion.report());
}

TEST_P(TniaGolden, InlineStringsGiveTheSameReport) {
  TniaConversion conversion(description_of_case(GetParam()), /*inline_strings=*/true);
  conversion.run();
  EXPECT_SAME_REPORT(expected_report(GetParam()), conversion.report());
}

TEST_P(TniaGolden, LeavesOnlyTheWorkbookAndTheReport) {
  TniaConversion conversion(description_of_case(GetParam()));
  conversion.run();
  EXPECT_EQ("model.xlsx\nreport.txt\n", list_files(conversion.dir.path()));
}

std::vector<std::string> described_cases() {
  std::vector<std::string> names;
  for (const std::string& name : tnia_cases())
    if (case_has_file(name, "workbook.txt")) names.push_back(name);
  return names;
}

INSTANTIATE_TEST_SUITE_P(Cases, TniaGolden, ::testing::ValuesIn(described_cases()));

TEST(TniaConverter, SecondConversionStartsAfresh) {
  TNIA_Lib converter;
  TniaConversion first(description_of_case("full"));
  first.run(converter);
  TniaConversion second(description_of_case("roads_only"));
  second.run(converter);
  EXPECT_SAME_REPORT(expected_report("roads_only"), second.report());
}

}  // namespace
}  // namespace kalvor::test

namespace kalvor::test {
namespace {

// An ID of blanks is no empty cell: the link is converted, and its
// "Link ID:" line, trimmed by the merge, names no association.
TEST(TniaConverter, LinkWhoseIdIsBlanksIsConverted) {
  TniaConversion conversion(parse_workbook_description(
      "[Geometry]\nA3 s   \nE3 s S\nA4 s W1\nE4 s B\n[Road]\nA1 s   \n"
      "[Barrier]\nA1 s W1\nB1 n 2\nA2 s W1\nB2 n 2\nC2 s R5\n[BarrierO]\n[Receiver]\n[Levels]\n"));
  conversion.run();
  const std::string report = conversion.report();
  EXPECT_NE(std::string::npos, report.find("\r\nLink ID:\r\nCategory:   N/A\r\n"
                                           "Flow:       0.0 veh/hr\r\n"))
      << report;
  EXPECT_NE(std::string::npos, report.find("Associated Road Link No.: N/A\r\n")) << report;
}

}  // namespace
}  // namespace kalvor::test
