#include "soundplan/soundplan_lib.h"

namespace kalvor {

void SoundPlan_Lib::Convert_From_SoundPlan(JobDetails&) {
  throw ConversionError("The SoundPLAN converter is not available in this build.");
}

}  // namespace kalvor
