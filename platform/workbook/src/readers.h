// The two workbook readers. Each throws ReadFailure when the file's content
// is not what its format requires.
#pragma once

#include <memory>
#include <string>

#include "quillan/workbook.h"

namespace kalvor::platform::detail {

// A BIFF8 workbook in a compound file (.xls).
std::unique_ptr<quillan::Workbook> read_xls(const std::string& path);

// An Office Open XML workbook in a zip package (.xlsx).
std::unique_ptr<quillan::Workbook> read_xlsx(const std::string& path);

}  // namespace kalvor::platform::detail
