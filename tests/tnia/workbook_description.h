// Test workbooks described as plain text and written as real .xlsx files by
// libxlsxwriter.
//
// A description lists worksheets and cells, one per line:
//
//   # a comment
//   [Geometry]          a new worksheet with this name
//   B1 s Project title  a text (everything after "s ", blanks included)
//   B3 n 0.25           a number
//   H4 b 1              a Boolean (1 or 0)
//   C5 fn =1+2;3        a formula with its cached number
//   C6 fs =A1;abc       a formula with its cached text
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kalvor::test {

struct CellDescription {
  long row = 0;     // from 1
  long column = 0;  // from 1
  char kind = 's';  // 's' text, 'n' number, 'b' Boolean, 'f' formula/number, 'g' formula/text
  std::string text;
  double number = 0;
  std::string formula;
};

struct SheetDescription {
  std::string name;
  std::vector<CellDescription> cells;
};

struct WorkbookDescription {
  std::vector<SheetDescription> sheets;

  SheetDescription& add_sheet(const std::string& name);
  void text(long row, long column, const std::string& value);
  void number(long row, long column, double value);
};

WorkbookDescription parse_workbook_description(const std::string& description);
WorkbookDescription read_workbook_description(const std::filesystem::path& path);

// Writes the workbook; texts go to the shared-string table, or inline with
// `inline_strings` (libxlsxwriter's constant-memory mode).
void write_xlsx(const WorkbookDescription& book, const std::filesystem::path& path,
                bool inline_strings = false);

}  // namespace kalvor::test
