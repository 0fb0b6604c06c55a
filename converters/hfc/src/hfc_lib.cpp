#include "hfc/hfc_lib.h"

namespace kalvor {

void HFC_Lib::Convert_From_HFCNoise(JobDetails&) {
  throw ConversionError("The HFCNoise converter is not available in this build.");
}

}  // namespace kalvor
