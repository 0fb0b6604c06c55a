// The process-wide table of file channels 1 to 511.
#pragma once

#include <cstdio>
#include <string>

namespace quillan::detail {

enum class Mode { Closed, TextInput, TextOutput, BinaryInput, BinaryOutput };

struct Channel {
  Mode mode = Mode::Closed;
  std::string path;
  std::FILE* file = nullptr;
};

inline constexpr int kLowestChannel = 1;
inline constexpr int kHighestChannel = 511;

// The channel with that number; numbers outside 1..511 fail with the
// bad-file-number error.
Channel& channel(long number);

void open_channel(long number, const std::string& path, Mode mode);
void close_channel(long number);
void close_all_channels();

// The error for a write to `path` that failed with the platform error number
// `error`: a full disk, or any other output failure.
[[noreturn]] void fail_write(const std::string& path, int error);

// The open channel in one of the given modes, or the bad-file-number error.
Channel& readable(long number);
Channel& writable(long number);

}  // namespace quillan::detail
