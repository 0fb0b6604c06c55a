// Opening a spreadsheet workbook file for the workbook routines of Varnik.
//
// The reader is chosen by the file's content, not its name: a compound file
// (.xls, BIFF8) is opened with libgsf and its records are read by this
// program, a zip package (.xlsx) is read with libzip and expat. The whole
// workbook is read into memory at once, so the file is closed again before
// the function returns.
//
// Cell values keep their kind: numbers stay numbers, texts stay texts,
// Booleans stay Booleans, formulas give their cached results. Texts (and
// worksheet names) are handed over in the system's single-byte character set,
// Windows-1252; a character it cannot hold becomes "?".
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "quillan/workbook.h"

namespace kalvor::platform {

// A file that cannot be read as a workbook; the message names the file and
// what is wrong with it.
class WorkbookError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::unique_ptr<quillan::Workbook> open_workbook(const std::string& path);

}  // namespace kalvor::platform
