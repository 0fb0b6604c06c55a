#include "hfc_conversion.h"

namespace kalvor::test {

HfcConversion::HfcConversion(const std::string& input_bytes) {
  input = dir_ / "model.txt";
  output = dir_ / "report.txt";
  write_file(input, input_bytes);
  set_modification_time(input, 2026, 3, 14, 9, 5);
  job.fill_project_details();
  job.select_format("hfcnoise");
  job.set_text(control::InputPath, input.string());
  job.set_text(control::OutputPath, output.string());
  job.set_text(control::DialogFileName, input.string());
}

HfcConversion HfcConversion::of_case(const std::string& name) {
  return HfcConversion(read_file(data_dir() / "hfc" / name / "input.txt"));
}

HfcConversion HfcConversion::of_text(const std::string& input_bytes) {
  return HfcConversion(input_bytes);
}

void HfcConversion::run(HFC_Lib& converter) {
  converter.Convert_From_HFCNoise(job);
}

std::string expected_report(const std::string& name) {
  return read_file(data_dir() / "hfc" / name / "expected.txt");
}

}  // namespace kalvor::test
