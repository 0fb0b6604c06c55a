// Whole conversions of small workbooks compared byte for byte with reports
// derived by hand. Each case is converted from .xlsx (written here by
// libxlsxwriter) and from .xls (saved by LibreOffice from the same data).
#include <gtest/gtest.h>

#include "golden.h"
#include "tnia_conversion.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

class TniaGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(TniaGolden, XlsxGivesTheExpectedReport) {
  TniaConversion conversion(spec_of_case(GetParam()));
  conversion.run();
  EXPECT_SAME_REPORT(expected_report(GetParam()), conversion.report());
}

TEST_P(TniaGolden, XlsGivesTheSameReport) {
  TniaConversion conversion(XlsCase{GetParam()});
  conversion.run();
  EXPECT_SAME_REPORT(expected_report(GetParam()), conversion.report());
}

TEST_P(TniaGolden, InlineStringsGiveTheSameReport) {
  TniaConversion conversion(spec_of_case(GetParam()), /*inline_strings=*/true);
  conversion.run();
  EXPECT_SAME_REPORT(expected_report(GetParam()), conversion.report());
}

TEST_P(TniaGolden, LeavesOnlyTheWorkbookAndTheReport) {
  TniaConversion conversion(spec_of_case(GetParam()));
  conversion.run();
  EXPECT_EQ("model.xlsx\nreport.txt\n", list_files(conversion.dir.path()));
}

INSTANTIATE_TEST_SUITE_P(Cases, TniaGolden,
                         ::testing::Values("full", "roads_only", "no_associations", "empty"));

TEST(TniaConverter, SecondConversionStartsAfresh) {
  TNIA_Lib converter;
  TniaConversion first(spec_of_case("full"));
  first.run(converter);
  TniaConversion second(spec_of_case("roads_only"));
  second.run(converter);
  EXPECT_SAME_REPORT(expected_report("roads_only"), second.report());
}

}  // namespace
}  // namespace kalvor::test
