// Feeds arbitrary bytes to the exchange-report reader, which reads reports
// from anyone. A text that is not a report may fail with ReportError; a
// crash, a sanitizer report or another exception is a fault.
#include "fuzz_support.h"
#include "report/report_reader.h"

using namespace kalvor::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const kalvor::report::ParsedReport report =
        kalvor::report::parse_report(std::string(as_text(data, size)));
    kalvor::report::summary_line("fuzz.txt", report);
  } catch (const kalvor::report::ReportError&) {
  }
  return 0;
}
