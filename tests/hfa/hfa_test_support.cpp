#include "hfa_test_support.h"

#include "hfa/hfa_lib.h"

namespace kalvor::test {

HfaProject::HfaProject(const std::string& name) : folder_(scratch_.copy_in("hfa/" + name)) {
  std::filesystem::create_directories(report().parent_path());
  job.fill_project_details();
  job.select_format("hfanoise");
  job.set_text(control::InputPath, input().string());
  job.set_text(control::OutputPath, report().string());
  job.set_text(control::DialogFileName, input().string());
  set_modification_time(input(), 2024, 3, 5, 14, 7);
  if (std::filesystem::exists(folder_ / "laybarr.txt")) {
    job.set_check_value(control::LayoutBarrierSwitch, 1);
    job.set_text(control::LayoutBarrierFile, (folder_ / "laybarr.txt").string());
  }
}

void HfaProject::convert() {
  HFA_Lib converter;
  converter.Convert_From_HFANoise(job);
}

}  // namespace kalvor::test
