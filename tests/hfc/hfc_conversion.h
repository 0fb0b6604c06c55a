// Runs HFCNoise conversions in a scratch folder with a fake main window.
#pragma once

#include <filesystem>
#include <string>

#include "fake_job.h"
#include "golden.h"
#include "hfc/hfc_lib.h"

namespace kalvor::test {

// One input file in a scratch folder, dated 14/03/2026 09:05, and the job
// details that point a conversion at it.
class HfcConversion {
 public:
  // From the input file of a golden case (tests/data/hfc/<name>/input.txt).
  static HfcConversion of_case(const std::string& name);
  // From the bytes of an input file.
  static HfcConversion of_text(const std::string& input_bytes);

  // Converts; after a failure, closes the channels as the convert command
  // does, so the next conversion finds them free.
  void run(HFC_Lib& converter);
  void run() {
    HFC_Lib converter;
    run(converter);
  }
  std::string report() const { return read_file(output); }

  std::filesystem::path input, output;
  FakeJob job;

 private:
  explicit HfcConversion(const std::string& input_bytes);
  ScratchDir dir_;
};

// The exact report expected from a golden case.
std::string expected_report(const std::string& name);

}  // namespace kalvor::test
