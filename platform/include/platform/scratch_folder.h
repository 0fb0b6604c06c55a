// A private folder for the temporary, piece and intermediate files of one
// conversion.
//
// The folder is created exclusively (mkdtemp) and named ".kalvor-<pid>-XXXXXX",
// so two conversions never share a file, however they are started, and the
// names of the files inside do not depend on the report's name. It is
// removed with everything in it when the object goes. A folder left behind by
// a run that was killed is recognised by its name: its process is gone, and
// the next run that makes a folder in the same place removes it.
#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace kalvor::platform {

class ScratchFolder {
 public:
  // A private folder inside `folder`; fails (std::system_error) when it
  // cannot be made there.
  static ScratchFolder inside(const std::string& folder);
  // A private folder inside `folder`, or in the system's temporary folder
  // when `folder` cannot take one (read-only, missing).
  static ScratchFolder near(const std::string& folder);

  ~ScratchFolder();
  ScratchFolder(ScratchFolder&& other) noexcept;
  ScratchFolder& operator=(ScratchFolder&&) = delete;
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  // The path of a file named `name` inside the folder.
  std::string file(std::string_view name) const;

 private:
  explicit ScratchFolder(std::string path) : path_(std::move(path)) {}
  std::string path_;
};

// The start of every scratch folder's name.
inline constexpr std::string_view kScratchPrefix = ".kalvor-";

// Removes the scratch folders in `folder` whose process no longer runs.
void remove_abandoned_scratch_folders(const std::string& folder);

// The system's temporary folder ($TMPDIR, else /tmp).
std::string system_temporary_folder();

}  // namespace kalvor::platform
