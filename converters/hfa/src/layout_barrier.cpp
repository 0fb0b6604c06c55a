// Layout barriers generated along the road links.
#include "conversion.h"
#include "hfa/hfa_lib.h"

namespace kalvor {

void HFA_Lib::HFANoise_CreateCheckIndexForLayBar(const std::string&, int) {}

bool HFA_Lib::HFANoise_CheckIndexForLayBar(const std::string&) const {
  return false;
}

bool HFA_Lib::HFANoise_GenerateLayoutBarrier(int, int, const std::string&, int, int, int) {
  return false;
}

void HFA_Lib::HFANoise_SortLB(const std::string&, int, const std::string&, int, int) {}

void HFA_Lib::generate_layout_barriers(JobDetails&) {}

}  // namespace kalvor
