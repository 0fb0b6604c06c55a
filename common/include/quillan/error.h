// The one error type of the library. It carries the platform error number of
// the failure, so callers can tell a missing file from a channel that is not
// open, and a message naming the path, channel or value at fault.
#pragma once

#include <stdexcept>
#include <string>

#include "quillan/export.h"

namespace quillan {

enum class ErrorCode {
  InvalidProcedureCall = 5,
  Overflow = 6,
  SubscriptOutOfRange = 9,
  TypeMismatch = 13,
  BadFileNumber = 52,
  FileNotFound = 53,
  FileAlreadyOpen = 55,
  DeviceIO = 57,
  DiskFull = 61,
  InputPastEndOfFile = 62,
  PermissionDenied = 70,
  PathNotFound = 76,
};

class QUILLAN_EXPORT Error : public std::runtime_error {
 public:
  Error(ErrorCode code, const std::string& message);
  ErrorCode code() const { return code_; }
  int number() const { return static_cast<int>(code_); }

 private:
  ErrorCode code_;
};

// The platform's own description of an error number ("File not found").
QUILLAN_EXPORT const char* describe(ErrorCode code);

}  // namespace quillan
