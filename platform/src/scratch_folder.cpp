#include "platform/scratch_folder.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace kalvor::platform {

namespace {

// The process number in a scratch folder's name ".kalvor-<pid>-XXXXXX", or 0
// when the name is not one of ours.
pid_t owner_of(const std::string& name) {
  if (name.compare(0, kScratchPrefix.size(), kScratchPrefix) != 0) return 0;
  const std::string rest = name.substr(kScratchPrefix.size());
  const auto dash = rest.find('-');
  if (dash == 0 || dash == std::string::npos || rest.size() - dash - 1 != 6) return 0;
  pid_t pid = 0;
  for (std::size_t i = 0; i < dash; ++i) {
    if (rest[i] < '0' || rest[i] > '9' || pid > 100000000) return 0;
    pid = pid * 10 + (rest[i] - '0');
  }
  return pid;
}

bool process_is_gone(pid_t pid) {
  return ::kill(pid, 0) != 0 && errno == ESRCH;
}

std::string make_private_folder(const std::string& folder) {
  const fs::path base = folder.empty() ? fs::path(".") : fs::path(folder);
  std::string pattern =
      (base / (std::string(kScratchPrefix) + std::to_string(::getpid()) + "-XXXXXX")).string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (::mkdtemp(buffer.data()) == nullptr)
    throw std::system_error(errno, std::generic_category(), folder);
  return std::string(buffer.data());
}

}  // namespace

ScratchFolder ScratchFolder::inside(const std::string& folder) {
  remove_abandoned_scratch_folders(folder);
  return ScratchFolder(make_private_folder(folder));
}

ScratchFolder ScratchFolder::near(const std::string& folder) {
  try {
    return inside(folder);
  } catch (const std::system_error&) {
    return inside(system_temporary_folder());
  }
}

ScratchFolder::ScratchFolder(ScratchFolder&& other) noexcept : path_(std::move(other.path_)) {
  other.path_.clear();
}

ScratchFolder::~ScratchFolder() {
  if (path_.empty()) return;
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string ScratchFolder::file(std::string_view name) const {
  return (fs::path(path_) / name).string();
}

void remove_abandoned_scratch_folders(const std::string& folder) {
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
  if (ec) return;
  for (const auto& entry : it) {
    const pid_t owner = owner_of(entry.path().filename().string());
    std::error_code entry_ec;
    if (owner > 0 && entry.is_directory(entry_ec) && !entry.is_symlink(entry_ec) &&
        process_is_gone(owner))
      fs::remove_all(entry.path(), entry_ec);
  }
}

std::string system_temporary_folder() {
  const char* tmpdir = std::getenv("TMPDIR");
  return tmpdir && *tmpdir ? tmpdir : "/tmp";
}

}  // namespace kalvor::platform
