#include "quillan/error.h"

namespace quillan {

Error::Error(ErrorCode code, const std::string& message)
    : std::runtime_error(message), code_(code) {}

const char* describe(ErrorCode code) {
  switch (code) {
    case ErrorCode::InvalidProcedureCall:
      return "Invalid procedure call or argument";
    case ErrorCode::Overflow:
      return "Overflow";
    case ErrorCode::SubscriptOutOfRange:
      return "Subscript out of range";
    case ErrorCode::TypeMismatch:
      return "Type mismatch";
    case ErrorCode::BadFileNumber:
      return "Bad file name or number";
    case ErrorCode::FileNotFound:
      return "File not found";
    case ErrorCode::FileAlreadyOpen:
      return "File already open";
    case ErrorCode::DeviceIO:
      return "Device I/O error";
    case ErrorCode::DiskFull:
      return "Disk full";
    case ErrorCode::InputPastEndOfFile:
      return "Input past end of file";
    case ErrorCode::PermissionDenied:
      return "Permission denied";
    case ErrorCode::PathNotFound:
      return "Path not found";
  }
  return "Unknown error";
}

}  // namespace quillan
