// The attribute-worksheet indexes answer exactly as the row scans of Varnik.
#include <gtest/gtest.h>

#include "golden.h"
#include "platform/workbook_file.h"
#include "quillan/varnik.h"
#include "tnia/sheet_index.h"
#include "workbook_spec.h"

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
    write_xlsx(parse_workbook_spec(kSheet), dir_ / "index.xlsx");
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
