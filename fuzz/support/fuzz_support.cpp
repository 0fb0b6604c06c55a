#include "fuzz_support.h"

#include <unistd.h>

#include <fstream>

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

const std::filesystem::path& scratch_dir(const char* target) {
  static const std::filesystem::path dir = [target] {
    auto path = std::filesystem::temp_directory_path() /
                ("kalvor-" + std::string(target) + "-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return dir;
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

void convert_guarded(const std::function<void()>& convert) {
  try {
    convert();
  } catch (const ConversionError&) {
  } catch (const quillan::Error&) {
  }
  quillan::Varnik().close_ALL_file_handler();
}

}  // namespace kalvor::fuzz
