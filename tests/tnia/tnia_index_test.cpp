// The attribute-worksheet indexes answer exactly as the row scans of Varnik.
#include <gtest/gtest.h>

#include "golden.h"
#include "platform/workbook_file.h"
#include "quillan/services.h"
#include "quillan/varnik.h"
#include "sheet_index.h"
#include "workbook_description.h"

namespace kalvor::test {
namespace {

using quillan::Value;
using tnia::FirstRowIndex;
using tnia::RowGroups;

// Column A: a header, duplicates, a number beside its text, a Boolean, then
// an empty cell with a value below it.
const char* const kSheet =
    "[Attributes]\n"
    "A1 s ID\n"
    "A2 s R1\n"
    "A3 n 5\n"
    "A4 s 5\n"
    "A5 s R1\n"
    "A6 b 1\n"
    "A7 n -0\n"
    "A8 s r1\n"
    "A10 s Below\n"
    "B2 s x\n"
    "B3 s y\n"
    "B4 s x\n"
    "B5 s x\n";

class SheetIndexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    write_xlsx(parse_workbook_description(kSheet), dir_ / "index.xlsx");
    book_ = platform::open_workbook((dir_ / "index.xlsx").string());
  }

  long scan(const Value& sought) {
    return quillan::Varnik().get_row_for_specified_excel_cell(*book_, 1, 1, 1, sought);
  }

  ScratchDir dir_;
  std::unique_ptr<quillan::Workbook> book_;
};

TEST_F(SheetIndexTest, FindsTheRowTheScanFinds) {
  const FirstRowIndex index(*book_, 1, 1, 1);
  for (const Value& sought :
       {Value("R1"), Value(5), Value("5"), Value(true), Value(false), Value(0), Value("r1"),
        Value("Below"), Value("ID"), Value(""), Value(), Value("R2"), Value(5.0000001)})
    EXPECT_EQ(scan(sought), index.find(sought)) << sought.to_text();
}

TEST_F(SheetIndexTest, GivesTheFirstOfDuplicatesAndNothingBelowAnEmptyCell) {
  const FirstRowIndex index(*book_, 1, 1, 1);
  EXPECT_EQ(2, index.find(Value("R1")));
  EXPECT_EQ(3, index.find(Value(5)));
  EXPECT_EQ(4, index.find(Value("5")));
  EXPECT_EQ(7, index.find(Value(0)));
  EXPECT_EQ(0, index.find(Value("Below")));
}

TEST_F(SheetIndexTest, GroupsRowsWhileTheOtherColumnIsFilled) {
  const RowGroups groups(*book_, 1, 2, 2, 1);
  EXPECT_EQ((std::vector<long>{2, 5}), groups.rows_of(Value("R1")));
  EXPECT_EQ((std::vector<long>{3}), groups.rows_of(Value(5)));
  EXPECT_EQ((std::vector<long>{4}), groups.rows_of(Value("5")));
  // Row 6 has no column B: the rows end there.
  EXPECT_TRUE(groups.rows_of(Value(true)).empty());
}

}  // namespace
}  // namespace kalvor::test

namespace kalvor::test {
namespace {

// Counts the event processing the scans ask for.
class CountingHost : public quillan::Host {
 public:
  void show_message(const std::string&, const std::string&) override {}
  void process_events() override { ++events; }
  int events = 0;
};

// Column A filled from row 1 to row 40 (a text in row 7, numbers elsewhere).
WorkbookDescription forty_rows() {
  WorkbookDescription book;
  book.add_sheet("Table");
  for (long row = 1; row <= 40; ++row) book.number(row, 1, static_cast<double>(row));
  book.sheets.back().cells[6] = CellDescription{7, 1, 's', "5", 0, ""};
  return book;
}

TEST(WorkbookRoutines, CountRowsToTheFirstEmptyCellOfColumnA) {
  ScratchDir dir;
  WorkbookDescription book = forty_rows();
  write_xlsx(book, dir / "full.xlsx");
  book.sheets.back().cells.erase(book.sheets.back().cells.begin() + 24);
  write_xlsx(book, dir / "gap.xlsx");
  quillan::Varnik lib;
  CountingHost host;
  quillan::Host* previous = quillan::install_host(&host);
  EXPECT_EQ(40, lib.get_num_of_row_for_wksheet(
                    *platform::open_workbook((dir / "full.xlsx").string()), 1, 3));
  EXPECT_EQ(39, host.events);  // rows 3 to 41, one step each
  EXPECT_EQ(24, lib.get_num_of_row_for_wksheet(
                    *platform::open_workbook((dir / "gap.xlsx").string()), 1, 1));
  quillan::install_host(previous);
}

TEST(WorkbookRoutines, FindValuesByKindAndStopAtTheFirstEmptyCell) {
  ScratchDir dir;
  WorkbookDescription description = forty_rows();
  description.sheets.back().cells.erase(description.sheets.back().cells.begin() + 24);
  write_xlsx(description, dir / "gap.xlsx");
  const auto book = platform::open_workbook((dir / "gap.xlsx").string());
  quillan::Varnik lib;
  EXPECT_EQ(5, lib.get_row_for_specified_excel_cell(*book, 1, 1, 1, Value(5)));
  EXPECT_EQ(7, lib.get_row_for_specified_excel_cell(*book, 1, 1, 1, Value("5")));
  EXPECT_EQ(0, lib.get_row_for_specified_excel_cell(*book, 1, 1, 1, Value(30)));
  EXPECT_TRUE(lib.get_excel_cell(*book, 1, 25, 1).loosely_equals(Value("")));
  EXPECT_EQ(26, lib.get_excel_cell(*book, 1, 26, 1).number());
}

}  // namespace
}  // namespace kalvor::test
