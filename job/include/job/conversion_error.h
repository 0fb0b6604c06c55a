// How a conversion that cannot go on ends.
#pragma once

#include <stdexcept>

namespace kalvor {

// A conversion that cannot go on: the message names the file, the line or
// record, and what was expected there.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The caller asked the conversion to stop (see job/cancellation.h). It takes
// the ordinary failure path: no report, temporary files removed, an earlier
// report kept.
class ConversionCancelled : public ConversionError {
 public:
  ConversionCancelled() : ConversionError("The conversion was cancelled.") {}
};

}  // namespace kalvor
