// Arbitrary bytes as a workbook file: the readers either read it or refuse
// it with a WorkbookError; the cells they hand over can all be asked for.
#include "fuzz_support.h"
#include "platform/workbook_file.h"

using namespace kalvor::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto path = scratch_dir("fuzz-tnia-workbook") / "input.bin";
  write_file(path, as_text(data, size));
  try {
    const auto workbook = kalvor::platform::open_workbook(path.string());
    for (int sheet = 1; sheet <= workbook->sheet_count(); ++sheet)
      for (long row = 1; row <= 20; ++row)
        for (long column = 1; column <= 8; ++column)
          (void)workbook->cell(quillan::Value(sheet), row, column).kind();
  } catch (const kalvor::platform::WorkbookError&) {
    // A refused file is the expected outcome for most inputs.
  }
  return 0;
}
