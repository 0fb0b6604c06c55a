// The TNIA v2.0 workbook converter.
#pragma once

#include "job/job_details.h"

namespace kalvor {

class TNIA_Lib {
 public:
  void Convert_From_TNIA(JobDetails& frmMain);
};

}  // namespace kalvor
