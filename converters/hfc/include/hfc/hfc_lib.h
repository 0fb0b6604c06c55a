// The HFCNoise converter.
#pragma once

#include "job/job_details.h"

namespace kalvor {

class HFC_Lib {
 public:
  void Convert_From_HFCNoise(JobDetails& frmMain);
};

}  // namespace kalvor
