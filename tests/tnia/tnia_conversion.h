// One TNIA conversion in a scratch folder: the workbook, the job details
// pointing at it, and the report.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "fake_job.h"
#include "golden.h"
#include "tnia/tnia_lib.h"
#include "workbook_description.h"

namespace kalvor::test {

class TniaConversion {
 public:
  // The workbook written as .xlsx from a description.
  explicit TniaConversion(const WorkbookDescription& book, bool inline_strings = false);

  // Runs the converter; a failure closes every channel and is passed on.
  void run(TNIA_Lib& converter);
  void run();
  std::string report() const { return read_file(output); }

  ScratchDir dir;
  std::filesystem::path workbook;
  std::filesystem::path output;
  FakeJob job;
};

// The case folders of tests/data/tnia, each with its expected report.
std::vector<std::string> tnia_cases();
bool case_has_file(const std::string& name, const std::string& file);
WorkbookDescription description_of_case(const std::string& name);
std::string expected_report(const std::string& name);

}  // namespace kalvor::test
