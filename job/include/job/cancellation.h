// The cancellation hook: a caller asks a running conversion to stop.
//
// One request flag for the whole process (there is one conversion at a
// time). request_cancellation() only stores to a lock-free atomic, so a
// signal handler, a Cancel button or another thread may call it. The
// conversion notices the request the next time it processes events through
// JobDetails::process_events() and ends with ConversionCancelled; the convert
// command then reports the outcome "cancelled" and clears the request.
#pragma once

namespace kalvor {

// Async-signal-safe.
void request_cancellation() noexcept;
bool cancellation_requested() noexcept;
void clear_cancellation_request() noexcept;

// Throws ConversionCancelled when a request is pending.
void throw_if_cancellation_requested();

}  // namespace kalvor
