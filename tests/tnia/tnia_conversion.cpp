#include "tnia_conversion.h"

#include <algorithm>

namespace kalvor::test {

namespace {

void fill_job(FakeJob& job, const std::filesystem::path& workbook,
              const std::filesystem::path& output) {
  job.fill_project_details();
  job.select_format("tnia");
  job.set_text(control::InputPath, workbook.string());
  job.set_text(control::OutputPath, output.string());
  job.set_text(control::DialogFileName, workbook.string());
  set_modification_time(workbook, 2026, 3, 14, 9, 5);
}

}  // namespace

TniaConversion::TniaConversion(const WorkbookDescription& book, bool inline_strings)
    : workbook(dir / "model.xlsx"), output(dir / "report.txt") {
  write_xlsx(book, workbook, inline_strings);
  fill_job(job, workbook, output);
}

void TniaConversion::run(TNIA_Lib& converter) {
  converter.Convert_From_TNIA(job);
}

void TniaConversion::run() {
  TNIA_Lib converter;
  run(converter);
}

std::vector<std::string> tnia_cases() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(data_dir() / "tnia"))
    if (std::filesystem::exists(entry.path() / "expected.txt"))
      names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

bool case_has_file(const std::string& name, const std::string& file) {
  return std::filesystem::exists(data_dir() / "tnia" / name / file);
}

WorkbookDescription description_of_case(const std::string& name) {
  return read_workbook_description(data_dir() / "tnia" / name / "workbook.txt");
}

std::string expected_report(const std::string& name) {
  return read_file(data_dir() / "tnia" / name / "expected.txt");
}

}  // namespace kalvor::test
