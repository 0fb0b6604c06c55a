// Runs a fuzz input the way the convert command runs a user's model: the
// format's structure check first, then the converter, inside the command's
// failure safety (a private folder beside the report, the report moved into
// place only on success, everything the conversion created removed after a
// failure).
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

#include "fuzz_support.h"

namespace kalvor::fuzz {

// Converts the input of `job` as the `format` (a --format name) with
// `convert`, which must use the job details it is given. Before the run an
// earlier report stands at the job's output path. A finding stops the fuzzer:
// an exception other than a ConversionError or a library error, a failure
// that changed the earlier report, a success that left it in place, or a
// file of the conversion left in `dir`.
void convert_as_the_command_does(const std::filesystem::path& dir, FuzzJob& job,
                                 std::string_view format,
                                 const std::function<void(JobDetails&)>& convert);

}  // namespace kalvor::fuzz
