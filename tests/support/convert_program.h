// Runs the kalvor-convert program the way scripts do, for end-to-end tests.
#pragma once

#include <filesystem>
#include <string>

namespace kalvor::test {

struct ConvertRun {
  int exit_status;     // -1 when the program did not exit normally
  std::string output;  // what it wrote to standard output and standard error
};

// The text as one shell word.
std::string shell_quoted(const std::string& text);

// kalvor-convert with the given arguments (shell words).
ConvertRun run_kalvor_convert(const std::string& arguments);

// kalvor-convert --quiet --format FORMAT --input INPUT --output OUTPUT with
// the project details the golden reports carry, and `extra` arguments.
ConvertRun convert_with_kalvor_convert(const std::string& format,
                                       const std::filesystem::path& input,
                                       const std::filesystem::path& output,
                                       const std::string& extra = "");

}  // namespace kalvor::test
