// .xls through FreeXL: every worksheet is selected in turn and its cells are
// copied into memory.
#include <freexl.h>

#include "memory_workbook.h"
#include "readers.h"

namespace kalvor::platform::detail {

namespace {

std::string freexl_problem(int code) {
  switch (code) {
    case FREEXL_FILE_NOT_FOUND:
      return "the file cannot be opened for reading";
    case FREEXL_INSUFFICIENT_MEMORY:
      return "there is not enough memory to read it";
    case FREEXL_INVALID_CHARACTER:
    case FREEXL_UNSUPPORTED_CHARSET:
      return "it holds text in a character set that cannot be read";
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
      return "the compound file holds no workbook";
    case FREEXL_BIFF_INVALID_BOF:
      return "it is not an Excel 97-2003 (BIFF8) workbook";
    default:
      return "it is damaged or not an Excel 97-2003 workbook (FreeXL error " +
             std::to_string(code) + ")";
  }
}

void check(int code) {
  if (code != FREEXL_OK) throw ReadFailure(freexl_problem(code));
}

// Closes the FreeXL handle on every way out, as FreeXL asks even after a
// failed open.
class Handle {
 public:
  Handle() = default;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (handle_) freexl_close(handle_);
  }
  const void** address() { return &handle_; }
  const void* get() const { return handle_; }

 private:
  const void* handle_ = nullptr;
};

void copy_cell(const void* xls, unsigned int row, unsigned short column, WorkbookBuilder& out) {
  FreeXL_CellValue value;
  check(freexl_get_cell_value(xls, row, column, &value));
  const long r = static_cast<long>(row) + 1;
  const long c = static_cast<long>(column) + 1;
  switch (value.type) {
    case FREEXL_CELL_INT:
      out.set_number(r, c, value.value.int_value);
      break;
    case FREEXL_CELL_DOUBLE:
      out.set_number(r, c, value.value.double_value);
      break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
      if (value.value.text_value) out.set_text(r, c, value.value.text_value);
      break;
    default:
      break;
  }
}

void copy_sheet(const void* xls, unsigned short index, WorkbookBuilder& out) {
  const char* name = nullptr;
  check(freexl_get_worksheet_name(xls, index, &name));
  out.add_sheet(name ? name : "");
  check(freexl_select_active_worksheet(xls, index));
  unsigned int rows = 0;
  unsigned short columns = 0;
  check(freexl_worksheet_dimensions(xls, &rows, &columns));
  for (unsigned int row = 0; row < rows; ++row)
    for (unsigned short column = 0; column < columns; ++column) copy_cell(xls, row, column, out);
}

}  // namespace

std::unique_ptr<quillan::Workbook> read_xls(const std::string& path) {
  Handle xls;
  check(freexl_open(path.c_str(), xls.address()));
  unsigned int protection = 0;
  check(freexl_get_info(xls.get(), FREEXL_BIFF_PASSWORD, &protection));
  if (protection == FREEXL_BIFF_OBFUSCATED) throw ReadFailure("it is protected by a password");
  unsigned int sheet_count = 0;
  check(freexl_get_info(xls.get(), FREEXL_BIFF_SHEET_COUNT, &sheet_count));
  WorkbookBuilder workbook;
  for (unsigned int index = 0; index < sheet_count && index <= 0xFFFF; ++index)
    copy_sheet(xls.get(), static_cast<unsigned short>(index), workbook);
  return workbook.finish();
}

}  // namespace kalvor::platform::detail
