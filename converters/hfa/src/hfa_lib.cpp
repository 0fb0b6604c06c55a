#include "hfa/hfa_lib.h"

namespace kalvor {

void HFA_Lib::Convert_From_HFANoise(JobDetails&) {
  throw ConversionError("The HFANoise converter is not available in this build.");
}

}  // namespace kalvor
