#include "fuzz_support.h"

#include <unistd.h>

#include <fstream>
#include <system_error>
#include <utility>

#include "quillan/error.h"
#include "quillan/varnik.h"

namespace kalvor::fuzz {

FuzzJob::FuzzJob(const std::string& input, const std::string& output,
                 const std::string& layout_barriers) {
  fill_project_details();
  set_text(control::InputPath, input);
  set_text(control::DialogFileName, input);
  set_text(control::OutputPath, output);
  set_text(control::LayoutBarrierFile, layout_barriers);
}

void FuzzJob::set_progress(float value) {
  if (!(value >= 0 && value <= 100)) __builtin_trap();
  MemoryJob::set_progress(value);
}

namespace {
// A folder that exists for the life of the process and is removed, with all
// it holds, when the process exits.
class ProcessFolder {
 public:
  explicit ProcessFolder(std::filesystem::path path) : path_(std::move(path)) {
    std::filesystem::create_directories(path_);
  }
  ~ProcessFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ProcessFolder(const ProcessFolder&) = delete;
  ProcessFolder& operator=(const ProcessFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};
}  // namespace

const std::filesystem::path& scratch_dir(const char* target) {
  static const ProcessFolder dir(
      std::filesystem::temp_directory_path() /
      ("kalvor-" + std::string(target) + "-" + std::to_string(getpid())));
  return dir.path();
}

void write_file(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string_view as_text(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

void clear_dir(const std::filesystem::path& dir) {
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    std::filesystem::remove_all(entry.path());
}

namespace {

// A conversion's own files: its private folder (".kalvor-...") and the
// SoundPLAN stage's temporary files ("temp_hfa_...").
bool is_conversion_temporary(const std::filesystem::path& entry) {
  const std::string name = entry.filename().string();
  return name.starts_with(".") || name.starts_with("temp_");
}

}  // namespace

void convert_guarded(const std::filesystem::path& dir, const std::function<void()>& convert) {
  try {
    convert();
  } catch (const ConversionError&) {
  } catch (const quillan::Error&) {
  }
  quillan::Varnik().close_ALL_file_handler();
  expect_no_leftovers(dir);
}

void expect_no_leftovers(const std::filesystem::path& dir) {
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (is_conversion_temporary(entry.path())) __builtin_trap();
}

}  // namespace kalvor::fuzz
