// The private folders of conversions: their own, gone afterwards, and the
// leftovers of killed runs cleared by the next run.
#include "platform/scratch_folder.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "convert_program.h"
#include "golden.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;
using platform::ScratchFolder;

TEST(ScratchFolder, IsPrivateHiddenAndGoesWithEverythingInIt) {
  ScratchDir dir;
  std::string path;
  {
    const auto first = ScratchFolder::inside(dir.path().string());
    const auto second = ScratchFolder::inside(dir.path().string());
    path = first.path();
    EXPECT_NE(first.path(), second.path());
    EXPECT_EQ(0u, fs::path(path).filename().string().rfind(
                      ".kalvor-" + std::to_string(getpid()) + "-", 0));
    write_file(first.file("piece"), "text");
  }
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ("", list_files(dir.path()));
}

TEST(ScratchFolder, FallsBackToTheSystemTemporaryFolder) {
  ScratchDir dir;
  const auto scratch = ScratchFolder::near((dir / "gone").string());
  EXPECT_EQ(fs::path(platform::system_temporary_folder()), fs::path(scratch.path()).parent_path());
  EXPECT_THROW(ScratchFolder::inside((dir / "gone").string()), std::system_error);
}

TEST(ScratchFolder, TheNextRunRemovesWhatAKilledRunLeft) {
  ScratchDir dir;
  const pid_t child = fork();
  if (child == 0) {
    const auto scratch = ScratchFolder::inside(dir.path().string());
    write_file(scratch.file("piece"), "text");
    ::raise(SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(child, waitpid(child, &status, 0));
  ASSERT_TRUE(WIFSIGNALED(status));
  const std::string left = list_files(dir.path());
  EXPECT_EQ(0u, left.rfind(".kalvor-" + std::to_string(child) + "-", 0)) << left;
  // A folder of a process that still runs is not touched.
  fs::create_directory(dir / ".kalvor-1-abcdef");

  const auto next = ScratchFolder::inside(dir.path().string());
  EXPECT_EQ(".kalvor-1-abcdef\n" + fs::path(next.path()).filename().string() + "\n",
            list_files(dir.path()));
  fs::remove(dir / ".kalvor-1-abcdef");
}

// Conversions started at once in one folder each read only their own files.
TEST(ParallelConversions, InOneFolderGiveTheSequentialReports) {
  ScratchDir dir;
  const fs::path a = dir.copy_in("hfa/network/input.txt");
  fs::copy_file(fs::path(KALVOR_EXAMPLES_DIR) / "hfanoise" / "example.dat", dir / "example.dat");
  const fs::path inputs[] = {a, dir / "example.dat"};
  for (int i = 0; i < 2; ++i)
    ASSERT_EQ(0, convert_with_kalvor_convert("hfanoise", inputs[i],
                                             dir / ("ref" + std::to_string(i) + ".txt"))
                     .exit_status);
  for (int round = 0; round < 3; ++round) {
    std::vector<std::thread> runs;
    std::vector<ConvertRun> results(6);
    for (int k = 0; k < 6; ++k)
      runs.emplace_back([&, k] {
        results[k] = convert_with_kalvor_convert("hfanoise", inputs[k % 2],
                                                 dir / ("out" + std::to_string(k) + ".txt"));
      });
    for (auto& run : runs) run.join();
    for (int k = 0; k < 6; ++k) {
      EXPECT_EQ(0, results[k].exit_status) << results[k].output;
      EXPECT_EQ(read_file(dir / ("ref" + std::to_string(k % 2) + ".txt")),
                read_file(dir / ("out" + std::to_string(k) + ".txt")))
          << "round " << round << ", run " << k;
    }
  }
  EXPECT_EQ(std::string::npos, list_files(dir.path()).find(".kalvor-"));
}

// Temporary names do not grow with the report's name.
TEST(ReportNames, TheLongestValidNameIsWritten) {
  ScratchDir dir;
  const fs::path output = dir / (std::string(251, 'r') + ".txt");
  const ConvertRun run = convert_with_kalvor_convert(
      "hfanoise", fs::path(KALVOR_EXAMPLES_DIR) / "hfanoise" / "example.dat", output);
  EXPECT_EQ(0, run.exit_status) << run.output;
  EXPECT_TRUE(fs::exists(output));
}

}  // namespace
}  // namespace kalvor::test
