// Every golden case of every format: a folder of tests/data/<folder>/<case>/
// with a case.txt naming the format, the input and the date its header
// shows, converted through the convert command and compared byte for byte
// with expected.txt; so is the case's twin input, if it names one. With KALVOR_ACCEPT=1 in the
// environment the reports are written to expected.txt instead (review the diff before committing).
//
// case.txt, one "key value" per line:
//   format          the --format name of the input format
//   input           the input file, relative to the case folder
//   layout-barrier  the layout-barrier file (optional)
//   twin            the input saved in another form, giving the same report
//                   (optional)
//   date            yyyy-mm-dd hh:mm, the input's modification time
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "command/convert_command.h"
#include "fake_job.h"
#include "golden.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

struct GoldenCase {
  fs::path folder;
  std::map<std::string, std::string> keys;

  std::string name() const {
    return folder.parent_path().filename().string() + "_" + folder.filename().string();
  }
  const std::string& key(const std::string& k) const {
    auto it = keys.find(k);
    if (it == keys.end()) throw std::runtime_error(name() + ": case.txt has no " + k);
    return it->second;
  }
};

void PrintTo(const GoldenCase& c, std::ostream* out) {
  *out << c.folder.string();
}

GoldenCase read_case(const fs::path& folder) {
  GoldenCase c{folder, {}};
  std::istringstream lines(read_file(folder / "case.txt"));
  for (std::string line; std::getline(lines, line);) {
    const auto blank = line.find(' ');
    if (blank != std::string::npos) c.keys[line.substr(0, blank)] = line.substr(blank + 1);
  }
  return c;
}

// Every case folder of tests/data, in the order of the format table.
std::vector<GoldenCase> golden_cases() {
  std::vector<GoldenCase> all;
  for (const auto& module : fs::directory_iterator(data_dir())) {
    if (!module.is_directory()) continue;
    for (const auto& entry : fs::directory_iterator(module.path()))
      if (fs::exists(entry.path() / "case.txt")) all.push_back(read_case(entry.path()));
  }
  std::vector<GoldenCase> ordered;
  for (const auto& format : input_formats()) {
    std::vector<GoldenCase> of_format;
    for (const auto& c : all)
      if (c.keys.at("format") == format.cli_name) of_format.push_back(c);
    std::ranges::sort(of_format, {}, &GoldenCase::folder);
    ordered.insert(ordered.end(), of_format.begin(), of_format.end());
  }
  return ordered;
}

void set_date(const fs::path& file, const std::string& date) {
  int year, month, day, hour, minute;
  if (std::sscanf(date.c_str(), "%d-%d-%d %d:%d", &year, &month, &day, &hour, &minute) != 5)
    throw std::runtime_error("bad date " + date);
  set_modification_time(file, year, month, day, hour, minute);
}

bool accepting() {
  const char* accept = std::getenv("KALVOR_ACCEPT");
  return accept != nullptr && std::string(accept) == "1";
}

// Converts the case's input `input` (a file of the case folder) through the
// convert command in a scratch copy of the folder and returns the report;
// the case folder must be left as it was, with nothing but the report added
// beside it.
std::string convert_case(const GoldenCase& c, const std::string& input_name) {
  const InputFormat* format = format_named(c.key("format"));
  if (format == nullptr) throw std::runtime_error("unknown format " + c.key("format"));
  ScratchDir scratch;
  const fs::path folder = scratch / "case";
  fs::copy(c.folder, folder, fs::copy_options::recursive);
  const fs::path input = folder / input_name;
  set_date(input, c.key("date"));
  const fs::path report = scratch / "report.txt";
  const std::string before = list_files(folder);

  FakeJob job;
  job.fill_project_details();
  job.select(format->option);
  job.set_text(control::InputPath, input.string());
  job.set_text(control::OutputPath, report.string());
  job.set_text(control::DialogFileName, input.string());
  if (c.keys.count("layout-barrier")) {
    job.set_check_value(control::LayoutBarrierSwitch, 1);
    job.set_text(control::LayoutBarrierFile, (folder / c.key("layout-barrier")).string());
  }
  ConvertCommand command(job);
  const ConversionOutcome outcome = command.cmdConvert2KALVOR_Click();
  EXPECT_TRUE(outcome.succeeded) << input_name << ": " << outcome.failure;
  EXPECT_EQ(before, list_files(folder)) << input_name;
  EXPECT_EQ("case\nreport.txt\n", list_files(scratch.path())) << input_name;
  return outcome.succeeded ? read_file(report) : std::string();
}

class Golden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(Golden, ReportMatchesExpectedAndNothingElseIsLeft) {
  const GoldenCase& c = GetParam();
  const std::string report = convert_case(c, c.key("input"));
  if (accepting()) write_file(c.folder / "expected.txt", report);
  EXPECT_SAME_REPORT(read_file(c.folder / "expected.txt"), report);
}

// A twin is the same input saved in another form (a workbook as .xls and as
// .xlsx); it must give the very same report.
TEST_P(Golden, TwinGivesTheSameReport) {
  const GoldenCase& c = GetParam();
  if (!c.keys.count("twin")) GTEST_SKIP() << "no twin";
  EXPECT_SAME_REPORT(read_file(c.folder / "expected.txt"), convert_case(c, c.key("twin")));
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(golden_cases()),
                         [](const auto& info) { return info.param.name(); });

}  // namespace
}  // namespace kalvor::test
