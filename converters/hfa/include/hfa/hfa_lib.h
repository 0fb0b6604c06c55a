// The HFANoise converter.
#pragma once

#include "job/job_details.h"

namespace kalvor {

class HFA_Lib {
 public:
  void Convert_From_HFANoise(JobDetails& frmMain);
};

}  // namespace kalvor
