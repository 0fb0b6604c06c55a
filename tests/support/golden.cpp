#include "golden.h"

#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <ctime>
#include <fstream>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace kalvor::test {

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void write_file(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path.string());
  out << bytes;
}

void set_modification_time(const fs::path& path, int year, int month, int day, int hour,
                           int minute) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_isdst = -1;
  std::time_t t = std::mktime(&tm);
  struct timeval times[2] = {{t, 0}, {t, 0}};
  if (utimes(path.c_str(), times) != 0)
    throw std::runtime_error("cannot set the time of " + path.string());
}

fs::path data_dir() {
  return fs::path(KALVOR_TEST_DATA_DIR);
}

ScratchDir::ScratchDir() {
  static std::atomic<int> counter{0};
  path_ = fs::temp_directory_path() /
          ("kalvor-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

fs::path ScratchDir::copy_in(const fs::path& relative_to_data) {
  fs::path source = data_dir() / relative_to_data;
  fs::path target = path_ / source.filename();
  fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  return target;
}

std::string list_files(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  std::string out;
  for (const auto& n : names) out += n + "\n";
  return out;
}

namespace {
std::vector<std::string> split_keeping_ends(const std::string& s) {
  std::vector<std::string> lines;
  std::string cur;
  for (char c : s) {
    cur += c;
    if (c == '\n') {
      lines.push_back(cur);
      cur.clear();
    }
  }
  if (!cur.empty()) lines.push_back(cur);
  return lines;
}

std::string visible(const std::string& line) {
  std::string out;
  for (char c : line) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (c == ' ')
      out += "\xC2\xB7";  // middle dot shows blanks
    else
      out += c;
  }
  return out;
}
}  // namespace

::testing::AssertionResult same_report(const char*, const char*, const std::string& expected,
                                       const std::string& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  auto e = split_keeping_ends(expected);
  auto a = split_keeping_ends(actual);
  std::size_t n = std::min(e.size(), a.size());
  std::size_t i = 0;
  while (i < n && e[i] == a[i]) ++i;
  auto result = ::testing::AssertionFailure();
  result << "reports differ at line " << (i + 1) << " (expected " << e.size() << " lines, got "
         << a.size() << ")\n";
  result << "  expected: " << (i < e.size() ? visible(e[i]) : "<end of file>") << "\n";
  result << "  actual:   " << (i < a.size() ? visible(a[i]) : "<end of file>") << "\n";
  return result;
}

}  // namespace kalvor::test
