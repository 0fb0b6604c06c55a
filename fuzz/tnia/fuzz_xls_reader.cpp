// Arbitrary bytes as an .xls file, straight into the BIFF8 reader: it either
// reads a workbook whose cells can all be asked for, or refuses the bytes
// with a ReadFailure; it never reads outside them.
#include <cstdint>

#include "memory_workbook.h"
#include "readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kalvor::platform::detail;
  try {
    const auto workbook = read_xls_bytes({reinterpret_cast<const char*>(data), size});
    for (int sheet = 1; sheet <= workbook->sheet_count(); ++sheet)
      for (long row = 1; row <= 20; ++row)
        for (long column = 1; column <= 8; ++column)
          (void)workbook->cell(quillan::Value(sheet), row, column).to_text();
  } catch (const ReadFailure&) {
    // A refused file is the expected outcome for most inputs.
  }
  return 0;
}
