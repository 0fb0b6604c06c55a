#include "reading/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "job/job_details.h"

namespace kalvor::reading {

namespace {

std::string why_not_found(int error) {
  switch (error) {
    case ENOENT:
      return "it does not exist";
    case ENOTDIR:
      return "a part of its path is not a folder";
    case EACCES:
    case EPERM:
      return "it cannot be read (permission denied)";
    default:
      return std::strerror(error);
  }
}

[[noreturn]] void fail(std::string_view role, const std::string& path, const std::string& why) {
  throw ConversionError("Cannot open " + std::string(role) + " " + path + ": " + why + ".");
}

}  // namespace

std::string why_unreadable(const std::string& path) {
  struct stat st {};
  if (path.empty()) return "no file is named";
  if (::stat(path.c_str(), &st) != 0) return why_not_found(errno);
  if (S_ISDIR(st.st_mode)) return "it is a folder, not a file";
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return why_not_found(errno);
  ::close(fd);
  return {};
}

void require_readable(std::string_view role, const std::string& path) {
  if (std::string why = why_unreadable(path); !why.empty()) fail(role, path, why);
}

void require_folder(std::string_view role, const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) fail(role, path, why_not_found(errno));
  if (!S_ISDIR(st.st_mode)) fail(role, path, "it is not a folder");
  if (::access(path.c_str(), R_OK | X_OK) != 0) fail(role, path, why_not_found(errno));
}

void open_input(quillan::Varnik& lib, int channel, std::string_view role, const std::string& path) {
  require_readable(role, path);
  try {
    lib.open_file_handler(path, 0, channel, false);
  } catch (const quillan::Error& e) {
    fail(role, path, quillan::describe(e.code()));
  }
}

}  // namespace kalvor::reading
