// A scratch folder of this process for the files a fuzz input becomes.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace kalvor::fuzz {

inline const std::filesystem::path& scratch_dir() {
  static const std::filesystem::path dir = [] {
    auto path =
        std::filesystem::temp_directory_path() / ("kalvor-fuzz-tnia-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return dir;
}

inline std::string write_input(const std::uint8_t* data, std::size_t size) {
  const std::string path = (scratch_dir() / "input.bin").string();
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

}  // namespace kalvor::fuzz
