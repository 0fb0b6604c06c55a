#include "memory_workbook.h"

#include <cmath>

#include "platform/files.h"
#include "quillan/error.h"
#include "quillan/text.h"

namespace kalvor::platform::detail {

using quillan::Error;
using quillan::ErrorCode;
using quillan::Value;

std::uint64_t cell_key(long row, long column) {
  return (static_cast<std::uint64_t>(row) << 32) | static_cast<std::uint64_t>(column);
}

namespace {

bool same_name(const std::string& a, const std::string& b) {
  return quillan::to_upper(a) == quillan::to_upper(b);
}

}  // namespace

const Sheet& MemoryWorkbook::sheet_at(const Value& sheet) const {
  if (sheet.is_number()) {
    const double position = sheet.number();
    if (position >= 1 && position <= static_cast<double>(sheets_.size()) &&
        position == std::floor(position))
      return sheets_[static_cast<std::size_t>(position) - 1];
    throw Error(ErrorCode::SubscriptOutOfRange, "The workbook has no worksheet " + sheet.to_text() +
                                                    " (it has " + std::to_string(sheets_.size()) +
                                                    ").");
  }
  if (sheet.is_text()) {
    for (const Sheet& s : sheets_)
      if (same_name(s.name, sheet.text())) return s;
    throw Error(ErrorCode::SubscriptOutOfRange,
                "The workbook has no worksheet named \"" + sheet.text() + "\".");
  }
  throw Error(ErrorCode::SubscriptOutOfRange, "A worksheet is named by its position or its name.");
}

Value MemoryWorkbook::cell(const Value& sheet, long row, long column) const {
  const Sheet& s = sheet_at(sheet);
  if (row < 1 || column < 1)
    throw Error(ErrorCode::SubscriptOutOfRange, "There is no cell in row " + std::to_string(row) +
                                                    ", column " + std::to_string(column) +
                                                    ": rows and columns count from 1.");
  if (row > kMaxRow || column > kMaxColumn) return Value();
  const auto found = s.cells.find(cell_key(row, column));
  return found == s.cells.end() ? Value() : found->second;
}

void WorkbookBuilder::add_sheet(const std::string& utf8_name) {
  sheets_.push_back(Sheet{utf8_to_windows1252(utf8_name), {}});
}

void WorkbookBuilder::set_number(long row, long column, double number) {
  if (!std::isfinite(number)) throw ReadFailure("a number cell holds no finite number");
  set(row, column, Value(number));
}

void WorkbookBuilder::set_text(long row, long column, const std::string& utf8_text) {
  set(row, column, Value(utf8_to_windows1252(utf8_text)));
}

void WorkbookBuilder::set_boolean(long row, long column, bool flag) {
  set(row, column, Value(flag));
}

void WorkbookBuilder::set(long row, long column, Value value) {
  if (sheets_.empty()) throw ReadFailure("a cell stands outside every worksheet");
  if (row < 1 || row > kMaxRow || column < 1 || column > kMaxColumn)
    throw ReadFailure("a cell lies outside the worksheet (row " + std::to_string(row) +
                      ", column " + std::to_string(column) + ")");
  if (++cell_count_ > kMaxCells)
    throw ReadFailure("the workbook holds more than " + std::to_string(kMaxCells) +
                      " cells, more than this program reads");
  sheets_.back().cells.insert_or_assign(cell_key(row, column), std::move(value));
}

std::unique_ptr<quillan::Workbook> WorkbookBuilder::finish() {
  return std::make_unique<MemoryWorkbook>(std::move(sheets_));
}

}  // namespace kalvor::platform::detail
