// Workbook cell access of Varnik: table length, row search and cell values.
#include "quillan/services.h"
#include "quillan/varnik.h"

namespace quillan {

namespace {

// Rows beyond any spreadsheet's last row hold nothing; a scan stops there.
constexpr long kLastPossibleRow = 1048576;

void let_events_run() {
  if (Host* host = current_host()) host->process_events();
}

long whole(const Value& v) {
  return static_cast<long>(v.to_number());
}

}  // namespace

long Varnik::get_num_of_row_for_wksheet(const Workbook& workbkObj, const Value& SheetNum,
                                        const Value& headings) {
  long row = whole(headings);
  for (; row <= kLastPossibleRow; ++row) {
    let_events_run();
    if (workbkObj.cell(SheetNum, row, 1).loosely_equals(Value(""))) break;
  }
  return row - 1;
}

long Varnik::get_row_for_specified_excel_cell(const Workbook& workbkObj, const Value& SheetNum,
                                              const Value& headings, const Value& CC,
                                              const Value& match_criteria) {
  long column = whole(CC);
  for (long row = whole(headings); row <= kLastPossibleRow; ++row) {
    let_events_run();
    Value cell = workbkObj.cell(SheetNum, row, column);
    if (cell.loosely_equals(Value(""))) return 0;
    if (cell.loosely_equals(match_criteria)) return row;
  }
  return 0;
}

Value Varnik::get_excel_cell(const Workbook& workbkObj, const Value& SheetNum, const Value& CR,
                             const Value& CC) {
  return workbkObj.cell(SheetNum, whole(CR), whole(CC));
}

}  // namespace quillan
