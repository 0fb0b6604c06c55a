#include "sheet_index.h"

#include <cstring>

namespace kalvor::tnia {

using quillan::Value;

namespace {

bool is_blank(const Value& value) {
  return value.loosely_equals(Value(""));
}

}  // namespace

std::string match_key(const Value& value) {
  if (is_blank(value)) return "T";
  switch (value.kind()) {
    case Value::Kind::Number: {
      // Zero and negative zero are equal numbers: both key as zero.
      const double number = value.number() == 0 ? 0.0 : value.number();
      char bytes[sizeof number];
      std::memcpy(bytes, &number, sizeof number);
      return "N" + std::string(bytes, sizeof bytes);
    }
    case Value::Kind::Text:
      return "T" + value.text();
    case Value::Kind::Boolean:
      return value.boolean() ? "B1" : "B0";
    default:
      // Lists equal nothing; cells never hold them.
      return "L";
  }
}

FirstRowIndex::FirstRowIndex(const quillan::Workbook& workbook, int sheet, long first_row,
                             long column) {
  for (long row = first_row;; ++row) {
    const Value cell = workbook.cell(Value(sheet), row, column);
    if (is_blank(cell)) break;
    rows_.try_emplace(match_key(cell), row);
  }
}

long FirstRowIndex::find(const Value& sought) const {
  const auto found = rows_.find(match_key(sought));
  return found == rows_.end() ? 0 : found->second;
}

RowGroups::RowGroups(const quillan::Workbook& workbook, int sheet, long first_row,
                     long while_column, long match_column) {
  for (long row = first_row; !is_blank(workbook.cell(Value(sheet), row, while_column)); ++row)
    groups_[match_key(workbook.cell(Value(sheet), row, match_column))].push_back(row);
}

const std::vector<long>& RowGroups::rows_of(const Value& sought) const {
  static const std::vector<long> none;
  const auto found = groups_.find(match_key(sought));
  return found == groups_.end() ? none : found->second;
}

}  // namespace kalvor::tnia
