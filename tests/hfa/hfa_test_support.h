// Running the HFANoise converter on a project of tests/data/hfa.
#pragma once

#include <filesystem>
#include <string>

#include "fake_job.h"
#include "golden.h"

namespace kalvor::test {

// A project copied into a scratch folder, with a job whose paths point at it:
// input.txt (and laybarr.txt when the project has one) in, report.txt out.
class HfaProject {
 public:
  explicit HfaProject(const std::string& name);

  std::filesystem::path folder() const { return folder_; }
  std::filesystem::path input() const { return folder_ / "input.txt"; }
  std::filesystem::path report() const { return scratch_ / "out" / "report.txt"; }
  std::string expected() const { return read_file(folder_ / "expected.txt"); }
  // Runs a new converter on the job; after a failure closes every channel,
  // as the convert command does, and rethrows.
  void convert();

  FakeJob job;

 private:
  ScratchDir scratch_;
  std::filesystem::path folder_;
};

}  // namespace kalvor::test
