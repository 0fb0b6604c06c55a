// Replays every file of the given folders (or files) through the fuzz target,
// so the seed corpus runs as an ordinary test.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
int replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return 1;
}
}  // namespace

int main(int argc, char** argv) {
  int count = 0;
  for (int i = 1; i < argc; ++i) {
    std::filesystem::path arg(argv[i]);
    if (std::filesystem::is_directory(arg)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(arg))
        if (entry.is_regular_file()) count += replay(entry.path());
    } else if (std::filesystem::exists(arg)) {
      count += replay(arg);
    }
  }
  std::printf("replayed %d inputs\n", count);
  // A missing or empty corpus would otherwise pass without testing anything.
  if (count == 0) {
    std::fprintf(stderr, "no inputs found to replay\n");
    return 1;
  }
  return 0;
}
