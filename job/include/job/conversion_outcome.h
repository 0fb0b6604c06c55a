// How a conversion ended, as the convert command answers it.
#pragma once

#include <string>

namespace kalvor {

struct ConversionOutcome {
  bool succeeded = false;
  std::string failure;     // the message for the user when it did not succeed
  bool cancelled = false;  // it stopped because the caller asked it to
};

}  // namespace kalvor
