// SIGINT, SIGTERM and SIGHUP during a conversion: kalvor-convert stops,
// leaves exactly the inputs and the earlier report, and exits with 128 + the
// signal's number.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "golden.h"

extern char** environ;

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

// An HFANoise model of one long road: large enough that converting it takes
// far longer than the signal takes to arrive.
std::string long_road_model(int links) {
  std::string model = "Signal test road\r\n\r\n Link A B Layout\r\n ----\r\n";
  for (int i = 1; i <= links; ++i)
    model += " " + std::to_string(i) + " " + std::to_string(i) + " " + std::to_string(i + 1) +
             " 1 road yes soft soft Long Road\r\n";
  model += "\r\n Node X Y Z H\r\n ----\r\n";
  for (int i = 1; i <= links + 1; ++i)
    model += " " + std::to_string(i) + " " + std::to_string(830000 + i) + " 820000 5 0\r\n";
  model += "\r\n Layout\r\n ----\r\n 1 1200 50 12 1.5 s0 no no a->b 0 10 new\r\n\r\n";
  return model;
}

// Starts kalvor-convert with standard error on a pipe; answers its process
// and the pipe's reading end.
std::pair<pid_t, int> start_verbose_conversion(const fs::path& input, const fs::path& report) {
  std::vector<std::string> words = {KALVOR_CONVERT_EXE,
                                    "--verbose",
                                    "-f",
                                    "hfanoise",
                                    input.string(),
                                    "-o",
                                    report.string(),
                                    "--consultant",
                                    "A",
                                    "--phone",
                                    "1",
                                    "--fax",
                                    "2",
                                    "--email",
                                    "e",
                                    "--coordinate",
                                    "HK1980 Grid",
                                    "--year",
                                    "2031"};
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return {-1, -1};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe_ends[0]);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_ends[1]);
  return {pid, pipe_ends[0]};
}

// Reads up to the end of the first line: the program has started converting.
void wait_for_first_line(int fd) {
  char c = 0;
  while (c != '\n' && read(fd, &c, 1) == 1) {
  }
}

class StopSignal : public ::testing::TestWithParam<int> {};

TEST_P(StopSignal, LeavesTheInputsAndTheEarlierReportAndExitsWith128PlusTheSignal) {
  const int signal = GetParam();
  ScratchDir dir;
  fs::create_directory(dir / "in");
  const std::string model = long_road_model(40000);
  write_file(dir / "in" / "model.dat", model);
  write_file(dir / "report.txt", "earlier report");

  auto [pid, stderr_fd] = start_verbose_conversion(dir / "in" / "model.dat", dir / "report.txt");
  ASSERT_GT(pid, 0);
  wait_for_first_line(stderr_fd);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  kill(pid, signal);
  std::string rest;
  for (char c; read(stderr_fd, &c, 1) == 1;) rest += c;
  close(stderr_fd);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);

  ASSERT_TRUE(WIFEXITED(status)) << rest;
  EXPECT_EQ(WEXITSTATUS(status), 128 + signal) << rest;
  EXPECT_NE(rest.find("The conversion was cancelled."), std::string::npos) << rest;
  EXPECT_EQ(list_files(dir / "in"), "model.dat\n");
  EXPECT_EQ(read_file(dir / "in" / "model.dat"), model);
  EXPECT_EQ(list_files(dir.path()), "in\nreport.txt\n");
  EXPECT_EQ(read_file(dir / "report.txt"), "earlier report");
}

INSTANTIATE_TEST_SUITE_P(Signals, StopSignal, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

}  // namespace
}  // namespace kalvor::test
