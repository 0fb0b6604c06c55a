// What the convert command runs: one converter object per input format,
// created by the format table's factory on first use and kept, so that a
// later conversion in the same format reuses it.
#pragma once

#include "job/job_details.h"

namespace kalvor {

class Converter {
 public:
  virtual ~Converter() = default;
  // Converts the input named in the job details into the report named there;
  // throws ConversionError (or ConversionCancelled) when it cannot.
  virtual void convert(JobDetails& job) = 0;
};

}  // namespace kalvor
