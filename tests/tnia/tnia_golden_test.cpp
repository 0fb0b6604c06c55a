// Whole conversions of small workbooks compared byte for byte with reports
// derived by hand. Every case folder of tests/data/tnia is converted from
// each form of its workbook that it has: the description (workbook.txt)
// written here as .xlsx by libxlsxwriter, with shared and with inline
// strings; the committed .xls; the committed .xlsx. All forms of one case
// give its one expected report.
#include <gtest/gtest.h>

#include "golden.h"
#include "tnia_conversion.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

enum class Form { Described, DescribedInline, Xls, Xlsx };

struct GoldenRun {
  std::string name;
  Form form;
};

std::vector<GoldenRun> golden_runs() {
  std::vector<GoldenRun> runs;
  for (const std::string& name : tnia_cases()) {
    if (case_has_file(name, "workbook.txt")) {
      runs.push_back({name, Form::Described});
      runs.push_back({name, Form::DescribedInline});
    }
    if (case_has_file(name, "workbook.xls")) runs.push_back({name, Form::Xls});
    if (case_has_file(name, "workbook.xlsx")) runs.push_back({name, Form::Xlsx});
  }
  return runs;
}

std::string run_name(const GoldenRun& run) {
  static const char* const kForms[] = {"described_xlsx", "described_xlsx_inline", "xls", "xlsx"};
  return run.name + "_" + kForms[static_cast<int>(run.form)];
}

void PrintTo(const GoldenRun& run, std::ostream* out) {
  *out << run_name(run);
}

TniaConversion conversion_of(const GoldenRun& run) {
  if (run.form == Form::Described) return TniaConversion(description_of_case(run.name));
  if (run.form == Form::DescribedInline)
    return TniaConversion(description_of_case(run.name), /*inline_strings=*/true);
  return TniaConversion(CaseWorkbook{run.name, run.form == Form::Xls ? "xls" : "xlsx"});
}

class TniaGolden : public ::testing::TestWithParam<GoldenRun> {};

TEST_P(TniaGolden, GivesTheExpectedReportAndLeavesNoOtherFile) {
  TniaConversion conversion = conversion_of(GetParam());
  conversion.run();
  EXPECT_SAME_REPORT(expected_report(GetParam().name), conversion.report());
  EXPECT_EQ(conversion.workbook.filename().string() + "\nreport.txt\n",
            list_files(conversion.dir.path()));
}

INSTANTIATE_TEST_SUITE_P(Cases, TniaGolden, ::testing::ValuesIn(golden_runs()),
                         [](const auto& info) { return run_name(info.param); });

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
