#include "job/cancellation.h"

#include <atomic>

#include "job/conversion_error.h"

namespace kalvor {

namespace {
// Lock-free, so setting it is safe inside a signal handler.
std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);
}  // namespace

void request_cancellation() noexcept {
  requested.store(true, std::memory_order_relaxed);
}

bool cancellation_requested() noexcept {
  return requested.load(std::memory_order_relaxed);
}

void clear_cancellation_request() noexcept {
  requested.store(false, std::memory_order_relaxed);
}

void throw_if_cancellation_requested() {
  if (cancellation_requested()) throw ConversionCancelled();
}

}  // namespace kalvor
