#include "roadnoise/roadnoise_lib.h"

namespace kalvor {

void RoadNoise_Lib::Convert_From_RoadNoise(JobDetails&) {
  throw ConversionError("The RoadNoise converter is not available in this build.");
}

}  // namespace kalvor
