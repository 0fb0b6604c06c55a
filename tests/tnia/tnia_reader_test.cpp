// The workbook readers: what kinds of values reach the converter, and how a
// file that is no readable workbook fails.
#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include "golden.h"
#include "platform/workbook_file.h"
#include "quillan/error.h"
#include "workbook_description.h"

namespace kalvor::test {
namespace {

using platform::open_workbook;
using platform::WorkbookError;
using quillan::Value;

WorkbookDescription kinds_of_values() {
  return parse_workbook_description(
      "[First]\n"
      "A1 s R1\n"
      "B1 n 101\n"
      "C1 n 1.5\n"
      "D1 b 1\n"
      "E1 b 0\n"
      "A2 fn =B1*2;202\n"
      "B2 fs =A1;R1\n"
      "C2 s Café – 5\n"
      "D2 s 5\n"
      "A4 s  padded  \n"
      "[Second]\n"
      "C3 n -0.25\n");
}

std::string error_of(const std::filesystem::path& path) {
  try {
    open_workbook(path.string());
  } catch (const WorkbookError& e) {
    return e.what();
  }
  return "no error";
}

TEST(XlsxReader, KeepsNumbersTextsAndBooleansApart) {
  ScratchDir dir;
  write_xlsx(kinds_of_values(), dir / "kinds.xlsx");
  const auto book = open_workbook((dir / "kinds.xlsx").string());
  ASSERT_EQ(2, book->sheet_count());
  EXPECT_TRUE(book->cell(1, 1, 1).loosely_equals(Value("R1")));
  EXPECT_TRUE(book->cell(1, 1, 2).is_number());
  EXPECT_EQ(101, book->cell(1, 1, 2).number());
  EXPECT_EQ(1.5, book->cell(1, 1, 3).number());
  EXPECT_TRUE(book->cell(1, 1, 4).is_boolean());
  EXPECT_TRUE(book->cell(1, 1, 4).boolean());
  EXPECT_FALSE(book->cell(1, 1, 5).boolean());
  EXPECT_TRUE(book->cell(1, 4, 1).loosely_equals(Value(" padded  ")));
  EXPECT_EQ(-0.25, book->cell(2, 3, 3).number());
  // The text "5" stays a text: it never equals the number 5.
  EXPECT_TRUE(book->cell(1, 2, 4).is_text());
  EXPECT_FALSE(book->cell(1, 2, 4).loosely_equals(Value(5)));
}

TEST(XlsxReader, GivesTheCachedResultsOfFormulas) {
  ScratchDir dir;
  write_xlsx(kinds_of_values(), dir / "kinds.xlsx");
  const auto book = open_workbook((dir / "kinds.xlsx").string());
  EXPECT_TRUE(book->cell(1, 2, 1).is_number());
  EXPECT_EQ(202, book->cell(1, 2, 1).number());
  EXPECT_TRUE(book->cell(1, 2, 2).loosely_equals(Value("R1")));
}

TEST(XlsxReader, ReadsInlineStringsAsSharedOnes) {
  ScratchDir dir;
  write_xlsx(kinds_of_values(), dir / "inline.xlsx", /*inline_strings=*/true);
  const auto book = open_workbook((dir / "inline.xlsx").string());
  EXPECT_TRUE(book->cell(1, 1, 1).loosely_equals(Value("R1")));
  EXPECT_TRUE(book->cell(1, 4, 1).loosely_equals(Value(" padded  ")));
  EXPECT_EQ("Caf\xE9 \x96 5", book->cell(1, 2, 3).to_text());
}

TEST(XlsxReader, HandsTextsOverInWindows1252) {
  ScratchDir dir;
  write_xlsx(kinds_of_values(), dir / "kinds.xlsx");
  const auto book = open_workbook((dir / "kinds.xlsx").string());
  EXPECT_EQ("Caf\xE9 \x96 5", book->cell(1, 2, 3).to_text());
}

TEST(XlsxReader, CountsOnlyWorksheetsNotChartSheets) {
  ScratchDir dir;
  const auto path = dir / "charts.xlsx";
  lxw_workbook* workbook = workbook_new(path.string().c_str());
  lxw_worksheet* first = workbook_add_worksheet(workbook, "Data");
  worksheet_write_number(first, 0, 0, 1, nullptr);
  worksheet_write_number(first, 1, 0, 2, nullptr);
  lxw_chartsheet* chartsheet = workbook_add_chartsheet(workbook, "Chart");
  lxw_chart* chart = workbook_add_chart(workbook, LXW_CHART_LINE);
  chart_add_series(chart, nullptr, "=Data!$A$1:$A$2");
  chartsheet_set_chart(chartsheet, chart);
  lxw_worksheet* second = workbook_add_worksheet(workbook, "After");
  worksheet_write_string(second, 0, 0, "second worksheet", nullptr);
  ASSERT_EQ(LXW_NO_ERROR, workbook_close(workbook));

  const auto book = open_workbook(path.string());
  ASSERT_EQ(2, book->sheet_count());
  EXPECT_EQ("second worksheet", book->cell(2, 1, 1).to_text());
  EXPECT_EQ("second worksheet", book->cell(Value("after"), 1, 1).to_text());
}

TEST(XlsReader, KeepsNumbersAndTextsApart) {
  const auto book = open_workbook((data_dir() / "tnia/full/workbook.xls").string());
  ASSERT_EQ(6, book->sheet_count());
  EXPECT_TRUE(book->cell(1, 6, 1).is_number());
  EXPECT_EQ(101, book->cell(1, 6, 1).number());
  EXPECT_TRUE(book->cell(1, 3, 1).loosely_equals(Value("R1")));
  EXPECT_EQ(0.25, book->cell(1, 5, 2).number());
  EXPECT_TRUE(book->cell(6, 3, 1).is_text());
  EXPECT_TRUE(book->cell(6, 5, 1).is_number());
}

TEST(XlsReader, HandsTextsOverInWindows1252) {
  const auto book = open_workbook((data_dir() / "tnia/roads_only/workbook.xls").string());
  EXPECT_EQ("Route 9 \x96 Caf\xE9", book->cell(1, 1, 2).to_text());
}

// Twins saved from one workbook as .xls and .xlsx hold the same worksheets
// and the same cells, of the same kinds: formula results, Booleans, errors
// and formatted numbers alike.
TEST(XlsAndXlsx, TwinsHoldTheSameCells) {
  for (const char* name : {"formulas", "formats", "sheetjs"}) {
    SCOPED_TRACE(name);
    const auto xls = open_workbook((data_dir() / "tnia" / name / "workbook.xls").string());
    const auto xlsx = open_workbook((data_dir() / "tnia" / name / "workbook.xlsx").string());
    ASSERT_EQ(xls->sheet_count(), xlsx->sheet_count());
    for (int sheet = 1; sheet <= xls->sheet_count(); ++sheet)
      for (long row = 1; row <= 12; ++row)
        for (long column = 1; column <= 8; ++column) {
          const Value a = xls->cell(sheet, row, column);
          const Value b = xlsx->cell(sheet, row, column);
          EXPECT_TRUE(a.kind() == b.kind() && a.to_text() == b.to_text())
              << "sheet " << sheet << " row " << row << " column " << column << ": " << a.to_text()
              << " / " << b.to_text();
        }
  }
  const auto formulas = open_workbook((data_dir() / "tnia/formulas/workbook.xls").string());
  EXPECT_EQ("R1", formulas->cell(1, 3, 1).text());
  EXPECT_EQ(110.25, formulas->cell(1, 4, 2).number());
  EXPECT_TRUE(formulas->cell(6, 2, 2).boolean());
  EXPECT_FALSE(formulas->cell(6, 3, 2).boolean());
  EXPECT_EQ("#N/A", formulas->cell(6, 4, 2).text());
  EXPECT_TRUE(formulas->cell(1, 8, 1).is_text());
  const auto formats = open_workbook((data_dir() / "tnia/formats/workbook.xls").string());
  EXPECT_EQ(49.5, formats->cell(2, 2, 6).number());
  EXPECT_EQ(8, formats->sheet_count());
}

TEST(Workbook, CellsOutsideTheDataAreEmptyAndBadAddressesFail) {
  const auto book = open_workbook((data_dir() / "tnia/full/workbook.xls").string());
  EXPECT_TRUE(book->cell(1, 60000, 200).is_empty());
  EXPECT_TRUE(book->cell(1, 5000000, 1).is_empty());
  EXPECT_THROW(book->cell(1, 0, 1), quillan::Error);
  EXPECT_THROW(book->cell(1, 1, 0), quillan::Error);
  EXPECT_THROW(book->cell(7, 1, 1), quillan::Error);
  EXPECT_THROW(book->cell(Value("Nowhere"), 1, 1), quillan::Error);
  EXPECT_TRUE(book->cell(Value("levels"), 2, 1).loosely_equals(Value("G1")));
}

TEST(WorkbookFile, ChoosesTheReaderByContentNotByName) {
  ScratchDir dir;
  write_xlsx(kinds_of_values(), dir / "really-xlsx.xls");
  std::filesystem::copy(data_dir() / "tnia/full/workbook.xls", dir / "really-xls.xlsx");
  EXPECT_EQ(2, open_workbook((dir / "really-xlsx.xls").string())->sheet_count());
  EXPECT_EQ(6, open_workbook((dir / "really-xls.xlsx").string())->sheet_count());
}

TEST(WorkbookFile, ABrokenFileFailsNamingIt) {
  ScratchDir dir;
  write_file(dir / "text.xlsx", "Link,Node\r\n1,2\r\n");
  EXPECT_NE(std::string::npos, error_of(dir / "text.xlsx").find("text.xlsx is not a workbook"));

  EXPECT_NE(std::string::npos, error_of(dir / "missing.xls").find("missing.xls does not exist"));

  write_xlsx(kinds_of_values(), dir / "whole.xlsx");
  const std::string xlsx = read_file(dir / "whole.xlsx");
  write_file(dir / "cut.xlsx", xlsx.substr(0, xlsx.size() / 2));
  EXPECT_NE(std::string::npos, error_of(dir / "cut.xlsx").find("cut.xlsx cannot be read"));

  const std::string xls = read_file(data_dir() / "tnia/full/workbook.xls");
  write_file(dir / "cut.xls", xls.substr(0, xls.size() / 3));
  EXPECT_NE(std::string::npos, error_of(dir / "cut.xls").find("cut.xls cannot be read"));

  write_file(dir / "empty.xls", "");
  EXPECT_NE(std::string::npos, error_of(dir / "empty.xls").find("empty.xls is not a workbook"));
}

TEST(WorkbookFile, DamagedXmlInsideTheZipFailsNamingThePart) {
  ScratchDir dir;
  write_xlsx(kinds_of_values(), dir / "whole.xlsx");
  std::string bytes = read_file(dir / "whole.xlsx");
  // libxlsxwriter stores parts deflated; flipping bytes in the middle of the
  // archive breaks a part's data or its checksum.
  for (std::size_t i = bytes.size() / 3; i < bytes.size() / 3 + 40; ++i) bytes[i] ^= 0x5A;
  write_file(dir / "flipped.xlsx", bytes);
  EXPECT_NE(std::string::npos, error_of(dir / "flipped.xlsx").find("flipped.xlsx cannot be read"))
      << error_of(dir / "flipped.xlsx");
}

}  // namespace
}  // namespace kalvor::test
