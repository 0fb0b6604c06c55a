// Damaged project files, made by cutting and corrupting good ones with a
// seeded random generator: the first stage either completes or fails with a
// ConversionError, and leaves no temporary file either way.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "soundplan/soundplan_lib.h"
#include "sp_test_support.h"

namespace kalvor::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes corrupted(Bytes bytes, std::mt19937& random) {
  auto at = [&](std::size_t size) {
    return std::uniform_int_distribution<std::size_t>(0, size == 0 ? 0 : size - 1)(random);
  };
  auto any_byte = [&] { return static_cast<std::uint8_t>(random() & 0xFF); };
  switch (random() % 4) {
    case 0:  // cut anywhere
      bytes.resize(at(bytes.size()));
      break;
    case 1:  // random bytes
      for (int i = 0; i < 4 && !bytes.empty(); ++i) bytes[at(bytes.size())] = any_byte();
      break;
    case 2: {  // a length field that is huge, zero, negative or too short
      static const std::uint16_t lengths[] = {0x7FFF, 0xFFFF, 500, 499, 0, 1, 2};
      const std::size_t i = at(bytes.size());
      if (i + 1 < bytes.size()) {
        const auto length = lengths[random() % std::size(lengths)];
        bytes[i] = static_cast<std::uint8_t>(length & 0xFF);
        bytes[i + 1] = static_cast<std::uint8_t>(length >> 8);
      }
      break;
    }
    default:  // random bytes inserted
      bytes.insert(bytes.begin() + static_cast<long>(at(bytes.size() + 1)), 1 + random() % 16,
                   any_byte());
      break;
  }
  return bytes;
}

TEST(CorruptedProjects, CompleteOrFailClearlyAndLeaveNoTemporaryFile) {
  std::mt19937 random(20261207);
  for (const char* name : {"roads", "bridge", "barriers_receivers"}) {
    const auto files = build_project(read_file(data_dir() / "soundplan" / name / "project.txt"));
    for (int round = 0; round < 25; ++round) {
      ScratchDir dir;
      for (const auto& file : files) {
        const Bytes bytes = corrupted(file.bytes, random);
        std::ofstream(dir / file.name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
      }
      const auto before = list_files(dir.path());
      FakeJob job;
      job.set_text(control::InputPath, (dir / "chosen.sp").string());
      try {
        const auto written = SoundPlan_Lib().Write_SP2HFA_Files(job, dir.path().string());
        std::filesystem::remove(written.input);
        std::filesystem::remove(written.layout_barrier);
      } catch (const ConversionError& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find(dir.path().string()));
      }
      EXPECT_EQ(before, list_files(dir.path())) << name << " round " << round;
    }
  }
}

}  // namespace
}  // namespace kalvor::test
