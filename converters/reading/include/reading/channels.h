// Channels belong to the whole process: a conversion that fails must not
// leave its files open for the next one.
#pragma once

#include <exception>

#include "quillan/varnik.h"

namespace kalvor::reading {

// Made at a converter's entry; closes every channel when the conversion
// ends by an exception. A failure to finish a half-written file is then not
// reported over the run's own failure, which is the one the user needs.
class ChannelsClosedOnFailure {
 public:
  explicit ChannelsClosedOnFailure(quillan::Varnik& lib)
      : lib_(lib), exceptions_at_start_(std::uncaught_exceptions()) {}
  ~ChannelsClosedOnFailure() {
    if (std::uncaught_exceptions() <= exceptions_at_start_) return;
    try {
      lib_.close_ALL_file_handler();
    } catch (...) {
    }
  }
  ChannelsClosedOnFailure(const ChannelsClosedOnFailure&) = delete;
  ChannelsClosedOnFailure& operator=(const ChannelsClosedOnFailure&) = delete;

 private:
  quillan::Varnik& lib_;
  int exceptions_at_start_;
};

}  // namespace kalvor::reading
