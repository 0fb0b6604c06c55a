// Lookups in the attribute worksheets of a TNIA workbook, built once per
// conversion.
//
// The converter finds a feature's row by scanning a column from a start row
// down to the first empty cell, for every feature of worksheet 1. These
// indexes answer the same questions in constant time and give exactly the
// row the scan would: the first match in row order, and nothing for a value
// that stands only below the first empty cell.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "quillan/value.h"
#include "quillan/workbook.h"

namespace kalvor::tnia {

// A text that two cell values share exactly when they are loosely equal
// (numbers by value, texts exactly, Booleans by value, empty = empty text).
std::string match_key(const quillan::Value& value);

// The first row, from `first_row` down to the first empty cell of `column`,
// that holds each value of that column.
class FirstRowIndex {
 public:
  FirstRowIndex(const quillan::Workbook& workbook, int sheet, long first_row, long column);
  // The row of the first cell equal to `sought`, or 0.
  long find(const quillan::Value& sought) const;

 private:
  std::unordered_map<std::string, long> rows_;
};

// The rows, from `first_row` down to the first empty cell of `while_column`,
// grouped by the value of `match_column`, each group in row order.
class RowGroups {
 public:
  RowGroups(const quillan::Workbook& workbook, int sheet, long first_row, long while_column,
            long match_column);
  // The rows whose match column equals `sought`, in row order.
  const std::vector<long>& rows_of(const quillan::Value& sought) const;

 private:
  std::unordered_map<std::string, std::vector<long>> groups_;
};

}  // namespace kalvor::tnia
