// A report written to a full disk: every format must fail with one message
// that says the disk is full and names the report, keep the earlier report
// and leave nothing behind. The disk is a small tmpfs, filled up before the
// run; the test is skipped where it cannot be mounted.
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <cstdio>
#include <string>

#include "convert_program.h"
#include "golden.h"
#include "project_writer.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

const std::string kEarlierReport = "An earlier report the user keeps.\r\n";

// A 64 KiB tmpfs mounted on a scratch folder for the life of the object.
class SmallDisk {
 public:
  SmallDisk() { mounted_ = mount("tmpfs", scratch_.path().c_str(), "tmpfs", 0, "size=64k") == 0; }
  ~SmallDisk() {
    if (mounted_) umount(scratch_.path().c_str());
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;
  bool mounted() const { return mounted_; }
  const fs::path& path() const { return scratch_.path(); }

  // Writes a file of the user's that takes up every byte left.
  void fill_up() {
    std::FILE* filler = std::fopen((path() / "filler.bin").c_str(), "wb");
    ASSERT_NE(filler, nullptr);
    const std::string block(512, 'x');
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() &&
           std::fflush(filler) == 0) {
    }
    std::fclose(filler);
  }

 private:
  ScratchDir scratch_;
  bool mounted_ = false;
};

struct Model {
  const char* format;
  const char* data;   // the case folder in tests/data
  const char* input;  // its input file
};

class DiskFull : public ::testing::TestWithParam<Model> {};

TEST_P(DiskFull, FailsNamingTheReportAndKeepsTheEarlierOne) {
  const Model& model = GetParam();
  SmallDisk disk;
  if (!disk.mounted()) GTEST_SKIP() << "a tmpfs cannot be mounted here";
  ScratchDir inputs;
  const fs::path case_dir = data_dir() / model.data;
  if (fs::exists(case_dir / "project.txt"))
    write_project(read_file(case_dir / "project.txt"), inputs.path());
  else
    fs::copy(case_dir, inputs.path(), fs::copy_options::recursive);
  const std::string inputs_before = list_files(inputs.path());
  const fs::path report = disk.path() / "report.txt";
  write_file(report, kEarlierReport);
  disk.fill_up();
  const std::string disk_before = list_files(disk.path());

  const ConvertRun run = convert_with_kalvor_convert(model.format, inputs / model.input, report);

  EXPECT_EQ(run.exit_status, 1) << run.output;
  EXPECT_TRUE(run.output.find("No space left on device") != std::string::npos ||
              run.output.find("full") != std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find(report.string()), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find("/."), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find(".partial"), std::string::npos) << run.output;
  EXPECT_EQ(read_file(report), kEarlierReport);
  EXPECT_EQ(list_files(disk.path()), disk_before);
  EXPECT_EQ(list_files(inputs.path()), inputs_before);
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, DiskFull,
                         ::testing::Values(Model{"hfanoise", "hfa/network", "input.txt"},
                                           Model{"hfcnoise", "hfc/roads", "input.txt"},
                                           Model{"soundplan", "soundplan/report_small",
                                                 "chosen.sp"},
                                           Model{"roadnoise", "roadnoise/roads", "PROJECT.MAS"},
                                           Model{"tnia", "tnia/full", "workbook.xls"}),
                         [](const auto& info) { return std::string(info.param.format); });

}  // namespace
}  // namespace kalvor::test
