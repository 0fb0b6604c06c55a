#include "tnia/tnia_lib.h"

namespace kalvor {

void TNIA_Lib::Convert_From_TNIA(JobDetails&) {
  throw ConversionError("The TNIA v2.0 workbook converter is not available in this build.");
}

}  // namespace kalvor
