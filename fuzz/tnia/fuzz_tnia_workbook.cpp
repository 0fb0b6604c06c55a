// Arbitrary bytes as a workbook file: the readers either read it or refuse
// it with a WorkbookError; the cells they hand over can all be asked for.
#include <cstdint>

#include "fuzz_scratch.h"
#include "platform/workbook_file.h"
#include "quillan/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = kalvor::fuzz::write_input(data, size);
  try {
    const auto workbook = kalvor::platform::open_workbook(path);
    for (int sheet = 1; sheet <= workbook->sheet_count(); ++sheet)
      for (long row = 1; row <= 20; ++row)
        for (long column = 1; column <= 8; ++column)
          (void)workbook->cell(quillan::Value(sheet), row, column).kind();
  } catch (const kalvor::platform::WorkbookError&) {
    // A refused file is the expected outcome for most inputs.
  }
  return 0;
}
