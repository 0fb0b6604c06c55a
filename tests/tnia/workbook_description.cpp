#include "workbook_description.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kalvor::test {

namespace {

CellDescription parse_cell(const std::string& line) {
  std::istringstream in(line);
  std::string reference, kind;
  in >> reference >> kind;
  const std::size_t value_start = reference.size() + 1 + kind.size() + 1;
  const std::string value = value_start <= line.size() ? line.substr(value_start) : "";
  CellDescription cell;
  cell.row = static_cast<long>(lxw_name_to_row(reference.c_str())) + 1;
  cell.column = static_cast<long>(lxw_name_to_col(reference.c_str())) + 1;
  if (kind == "s") {
    cell.kind = 's';
    cell.text = value;
  } else if (kind == "n") {
    cell.kind = 'n';
    cell.number = std::stod(value);
  } else if (kind == "b") {
    cell.kind = 'b';
    cell.number = value == "1" ? 1 : 0;
  } else if (kind == "fn" || kind == "fs") {
    const auto semicolon = value.rfind(';');
    if (semicolon == std::string::npos)
      throw std::invalid_argument("formula without result: " + line);
    cell.formula = value.substr(0, semicolon);
    cell.kind = kind == "fn" ? 'f' : 'g';
    cell.text = value.substr(semicolon + 1);
    if (cell.kind == 'f') cell.number = std::stod(cell.text);
  } else {
    throw std::invalid_argument("unknown cell kind in: " + line);
  }
  return cell;
}

void write_cell(lxw_worksheet* sheet, const CellDescription& cell) {
  const auto row = static_cast<lxw_row_t>(cell.row - 1);
  const auto column = static_cast<lxw_col_t>(cell.column - 1);
  lxw_error result = LXW_NO_ERROR;
  switch (cell.kind) {
    case 's':
      result = worksheet_write_string(sheet, row, column, cell.text.c_str(), nullptr);
      break;
    case 'n':
      result = worksheet_write_number(sheet, row, column, cell.number, nullptr);
      break;
    case 'b':
      result = worksheet_write_boolean(sheet, row, column, cell.number != 0, nullptr);
      break;
    case 'f':
      result = worksheet_write_formula_num(sheet, row, column, cell.formula.c_str(), nullptr,
                                           cell.number);
      break;
    default:
      result = worksheet_write_formula_str(sheet, row, column, cell.formula.c_str(), nullptr,
                                           cell.text.c_str());
      break;
  }
  if (result != LXW_NO_ERROR)
    throw std::runtime_error(std::string("libxlsxwriter: ") + lxw_strerror(result));
}

}  // namespace

SheetDescription& WorkbookDescription::add_sheet(const std::string& name) {
  sheets.push_back({name, {}});
  return sheets.back();
}

void WorkbookDescription::text(long row, long column, const std::string& value) {
  CellDescription cell;
  cell.row = row;
  cell.column = column;
  cell.text = value;
  sheets.back().cells.push_back(cell);
}

void WorkbookDescription::number(long row, long column, double value) {
  CellDescription cell;
  cell.row = row;
  cell.column = column;
  cell.kind = 'n';
  cell.number = value;
  sheets.back().cells.push_back(cell);
}

WorkbookDescription parse_workbook_description(const std::string& description) {
  WorkbookDescription book;
  std::istringstream in(description);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      book.add_sheet(line.substr(1, line.find(']') - 1));
      continue;
    }
    if (book.sheets.empty()) throw std::invalid_argument("cell before the first sheet: " + line);
    book.sheets.back().cells.push_back(parse_cell(line));
  }
  return book;
}

WorkbookDescription read_workbook_description(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return parse_workbook_description(text.str());
}

void write_xlsx(const WorkbookDescription& book, const std::filesystem::path& path,
                bool inline_strings) {
  lxw_workbook_options options = {};
  options.constant_memory = inline_strings ? LXW_TRUE : LXW_FALSE;
  lxw_workbook* workbook = workbook_new_opt(path.string().c_str(), &options);
  if (!workbook) throw std::runtime_error("cannot create " + path.string());
  for (const SheetDescription& sheet_description : book.sheets) {
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, sheet_description.name.c_str());
    // Rows in order: the constant-memory mode writes each row out when the
    // next one starts.
    std::vector<CellDescription> cells = sheet_description.cells;
    std::stable_sort(cells.begin(), cells.end(),
                     [](const CellDescription& a, const CellDescription& b) {
                       return a.row != b.row ? a.row < b.row : a.column < b.column;
                     });
    for (const CellDescription& cell : cells) write_cell(sheet, cell);
  }
  const lxw_error result = workbook_close(workbook);
  if (result != LXW_NO_ERROR)
    throw std::runtime_error("cannot write " + path.string() + ": " + lxw_strerror(result));
}

}  // namespace kalvor::test
