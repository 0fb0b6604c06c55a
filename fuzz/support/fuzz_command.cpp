#include "fuzz_command.h"

#include <fstream>
#include <iterator>
#include <string>

#include "command/safe_conversion.h"
#include "formats/input_formats.h"
#include "job/conversion_error.h"
#include "quillan/error.h"

namespace kalvor::fuzz {

namespace {

constexpr std::string_view kEarlierReport = "an earlier report\r\n";

std::string contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A converter may end with a clear error; any other exception is a fault the
// command would only show as a message, so it stops the fuzzer here.
void convert_accepting_clear_errors(const std::function<void(JobDetails&)>& convert,
                                    JobDetails& job) {
  try {
    convert(job);
  } catch (const ConversionError&) {
    throw;
  } catch (const quillan::Error&) {
    throw;
  } catch (...) {
    __builtin_trap();
  }
}

}  // namespace

void convert_as_the_command_does(const std::filesystem::path& dir, FuzzJob& job,
                                 std::string_view format,
                                 const std::function<void(JobDetails&)>& convert) {
  const InputFormat* row = format_named(format);
  if (row == nullptr) __builtin_trap();
  const std::filesystem::path output = job.text(control::OutputPath);
  write_file(output, kEarlierReport);
  const ConversionOutcome outcome = run_safely(job, [&](JobDetails& redirected) {
    require_structure(*row, redirected.text(control::InputPath));
    convert_accepting_clear_errors(convert, redirected);
  });
  const bool earlier_report_kept = contents(output) == kEarlierReport;
  if (outcome.succeeded == earlier_report_kept) __builtin_trap();
  expect_no_leftovers(dir);
}

}  // namespace kalvor::fuzz
