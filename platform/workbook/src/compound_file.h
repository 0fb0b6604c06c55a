// The OLE2 compound file around an .xls workbook, opened with libgsf: its
// directory, allocation tables and mini stream. Only the Workbook stream is
// taken out; its records are read in xls_reader.cpp.
#pragma once

#include <string>
#include <string_view>

namespace kalvor::platform::detail {

// The bytes of the "Workbook" stream of a compound file held in memory.
// Throws ReadFailure when the container is damaged or holds no BIFF8
// workbook.
std::string workbook_stream(std::string_view file);

}  // namespace kalvor::platform::detail
