// Helpers for golden-file tests: exact byte comparison of reports, fixed
// modification times for the header's date and time, scratch folders.
#pragma once

#include <filesystem>
#include <string>

namespace kalvor::test {

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& bytes);

// Sets a file's modification time to the given local date and time.
void set_modification_time(const std::filesystem::path& path, int year, int month, int day,
                           int hour, int minute);

// The folder of the test data files (tests/data).
std::filesystem::path data_dir();

// A fresh empty folder under the system's temporary folder, removed when the
// object goes away.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  // Copies a file or folder of tests/data into the scratch folder.
  std::filesystem::path copy_in(const std::filesystem::path& relative_to_data);

 private:
  std::filesystem::path path_;
};

// Lists the files of a folder (names only, sorted).
std::string list_files(const std::filesystem::path& dir);

}  // namespace kalvor::test

// Compares two byte strings and, on a difference, reports the first line
// that differs with its line number (CR and LF shown).
#define EXPECT_SAME_REPORT(expected, actual) \
  EXPECT_PRED_FORMAT2(::kalvor::test::same_report, expected, actual)

#include <gtest/gtest.h>
namespace kalvor::test {
::testing::AssertionResult same_report(const char* expected_expr, const char* actual_expr,
                                       const std::string& expected, const std::string& actual);
}
