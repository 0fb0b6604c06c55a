// Table length, row search and cell access over an in-memory workbook.
#include <gtest/gtest.h>

#include <map>

#include "quillan/varnik.h"

using namespace quillan;

namespace {

class GridWorkbook : public Workbook {
 public:
  int sheet_count() const override { return 1; }
  Value cell(const Value& sheet, long row, long column) const override {
    if (sheet.to_number() != 1) throw Error(ErrorCode::SubscriptOutOfRange, "no sheet");
    auto it = cells.find({row, column});
    return it == cells.end() ? Value() : it->second;
  }
  std::map<std::pair<long, long>, Value> cells;
};

TEST(WorkbookRoutines, CountRowsUpToTheFirstEmptyCellInColumnOne) {
  GridWorkbook book;
  for (long r = 2; r <= 40; ++r) book.cells[{r, 1}] = r;
  Varnik lib;
  EXPECT_EQ(lib.get_num_of_row_for_wksheet(book, 1, 2), 40);
  book.cells.erase({25, 1});
  EXPECT_EQ(lib.get_num_of_row_for_wksheet(book, 1, 2), 24);
  EXPECT_EQ(lib.get_num_of_row_for_wksheet(book, 1, 41), 40);
}

TEST(WorkbookRoutines, FindRowsByLooseComparisonStoppingAtAnEmptyCell) {
  GridWorkbook book;
  book.cells[{1, 2}] = "a";
  book.cells[{2, 2}] = 5;
  book.cells[{3, 2}] = "5";
  book.cells[{5, 2}] = "late";
  Varnik lib;
  EXPECT_EQ(lib.get_row_for_specified_excel_cell(book, 1, 1, 2, "5"), 3);
  EXPECT_EQ(lib.get_row_for_specified_excel_cell(book, 1, 1, 2, 5), 2);
  EXPECT_EQ(lib.get_row_for_specified_excel_cell(book, 1, 1, 2, "late"), 0);
  EXPECT_TRUE(lib.get_excel_cell(book, 1, 9, 9).loosely_equals(""));
  EXPECT_THROW(lib.get_excel_cell(book, 2, 1, 1), Error);
}

}  // namespace
