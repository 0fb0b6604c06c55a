// An open spreadsheet workbook, as the workbook routines of Varnik see it.
//
// The program supplies the reader (see platform/); the library only asks for
// worksheets by position or name and for cell values by row and column.
#pragma once

#include "quillan/export.h"
#include "quillan/value.h"

namespace quillan {

class QUILLAN_EXPORT Workbook {
 public:
  virtual ~Workbook() = default;

  virtual int sheet_count() const = 0;

  // The value of a cell: empty, number, text or Boolean. `sheet` is a
  // position counted from 1 (a number) or a worksheet name (a text); rows and
  // columns count from 1. An unknown worksheet or a row or column below 1
  // fails with the subscript-out-of-range error; cells beyond the used range
  // are empty.
  virtual Value cell(const Value& sheet, long row, long column) const = 0;
};

}  // namespace quillan
