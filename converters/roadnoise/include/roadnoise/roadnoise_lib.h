// The RoadNoise converter.
#pragma once

#include "job/job_details.h"

namespace kalvor {

class RoadNoise_Lib {
 public:
  void Convert_From_RoadNoise(JobDetails& frmMain);
};

}  // namespace kalvor
