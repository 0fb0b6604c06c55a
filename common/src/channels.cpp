#include "channels.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

#include "quillan/error.h"
#include "quillan/services.h"

namespace quillan::detail {

namespace {

Channel g_channels[kHighestChannel + 1];

std::string channel_name(long number) {
  return "channel " + std::to_string(number);
}

[[noreturn]] void fail_open(const std::string& path, int error) {
  switch (error) {
    case ENOENT: {
      auto parent = std::filesystem::path(path).parent_path();
      std::error_code ec;
      if (!parent.empty() && !std::filesystem::is_directory(parent, ec))
        throw Error(ErrorCode::PathNotFound, "Path not found: " + path);
      throw Error(ErrorCode::FileNotFound, "File not found: " + path);
    }
    case ENOTDIR:
      throw Error(ErrorCode::PathNotFound, "Path not found: " + path);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      throw Error(ErrorCode::PermissionDenied, "Permission denied: " + path);
    default:
      throw Error(ErrorCode::PathNotFound, "Cannot open " + path + ": " + std::strerror(error));
  }
}

const char* fopen_mode(Mode mode) {
  switch (mode) {
    case Mode::TextInput:
    case Mode::BinaryInput:
      return "rb";
    case Mode::TextOutput:
    case Mode::BinaryOutput:
      return "wb";
    case Mode::Closed:
      break;
  }
  return nullptr;
}

bool is_input(Mode mode) {
  return mode == Mode::TextInput || mode == Mode::BinaryInput;
}

}  // namespace

Channel& channel(long number) {
  if (number < kLowestChannel || number > kHighestChannel)
    throw Error(ErrorCode::BadFileNumber, "Bad file number: " + channel_name(number));
  return g_channels[number];
}

void open_channel(long number, const std::string& path, Mode mode) {
  Channel& ch = channel(number);
  if (ch.mode != Mode::Closed)
    throw Error(ErrorCode::FileAlreadyOpen,
                "File already open: " + channel_name(number) + " holds " + ch.path);
  std::error_code ec;
  bool existed = std::filesystem::exists(path, ec);
  if (is_input(mode) && std::filesystem::is_directory(path, ec))
    throw Error(ErrorCode::PermissionDenied, "Permission denied (a folder): " + path);
  std::FILE* file = std::fopen(path.c_str(), fopen_mode(mode));
  if (!file) fail_open(path, errno);
  std::setvbuf(file, nullptr, _IOFBF, 1 << 16);
  ch.mode = mode;
  ch.path = path;
  ch.file = file;
  if (FileObserver* observer = current_file_observer()) {
    if (is_input(mode))
      observer->opened_for_input(path);
    else
      observer->opened_for_output(path, existed);
  }
}

void close_channel(long number) {
  Channel& ch = channel(number);
  if (ch.mode == Mode::Closed) return;
  std::FILE* file = ch.file;
  bool was_output = !is_input(ch.mode);
  std::string path = ch.path;
  ch = Channel{};
  const int write_error = std::ferror(file) ? EIO : 0;
  const int close_error = std::fclose(file) != 0 ? errno : 0;
  if (was_output && (write_error || close_error))
    fail_write(path, close_error ? close_error : write_error);
}

void fail_write(const std::string& path, int error) {
  throw Error(error == ENOSPC ? ErrorCode::DiskFull : ErrorCode::DeviceIO,
              "Could not write to " + path + ": " + std::strerror(error));
}

void close_all_channels() {
  std::optional<Error> first_failure;
  for (long n = kLowestChannel; n <= kHighestChannel; ++n) {
    try {
      close_channel(n);
    } catch (const Error& e) {
      if (!first_failure) first_failure = e;
    }
  }
  if (first_failure) throw *first_failure;
}

Channel& readable(long number) {
  Channel& ch = channel(number);
  if (ch.mode != Mode::TextInput)
    throw Error(ErrorCode::BadFileNumber,
                "Bad file number: " + channel_name(number) + " is not open for input");
  return ch;
}

Channel& writable(long number) {
  Channel& ch = channel(number);
  if (ch.mode != Mode::TextOutput && ch.mode != Mode::BinaryOutput)
    throw Error(ErrorCode::BadFileNumber,
                "Bad file number: " + channel_name(number) + " is not open for output");
  return ch;
}

}  // namespace quillan::detail
