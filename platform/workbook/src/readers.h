// The two workbook readers. Each throws ReadFailure when the file's content
// is not what its format requires.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "quillan/workbook.h"

namespace kalvor::platform::detail {

// A BIFF8 workbook in a compound file (.xls), from its path or its bytes.
std::unique_ptr<quillan::Workbook> read_xls(const std::string& path);
std::unique_ptr<quillan::Workbook> read_xls_bytes(std::string_view file);

// An Office Open XML workbook in a zip package (.xlsx).
std::unique_ptr<quillan::Workbook> read_xlsx(const std::string& path);

}  // namespace kalvor::platform::detail
