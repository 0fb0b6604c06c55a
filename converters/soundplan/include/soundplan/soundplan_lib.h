// The SoundPLAN converter.
#pragma once

#include "job/job_details.h"

namespace kalvor {

class SoundPlan_Lib {
 public:
  void Convert_From_SoundPlan(JobDetails& frmMain);
};

}  // namespace kalvor
