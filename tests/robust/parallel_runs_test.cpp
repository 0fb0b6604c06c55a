// Conversions started at the same time, in the same folder, as a script
// running `xargs -P6` does: each must give exactly the report it gives when
// it runs alone, and together they leave nothing behind.
#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "convert_program.h"
#include "golden.h"
#include "project_writer.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 5;

struct Job {
  std::string format;
  fs::path input;
  fs::path output;
};

ConvertRun convert(const Job& job) {
  return convert_with_kalvor_convert(job.format, job.input, job.output);
}

// Runs every job alone and keeps its report as the reference.
std::vector<std::string> sequential_reports(const std::vector<Job>& jobs) {
  std::vector<std::string> reports;
  for (const auto& job : jobs) {
    const ConvertRun run = convert(job);
    EXPECT_EQ(run.exit_status, 0) << job.input << ": " << run.output;
    reports.push_back(read_file(job.output));
    fs::remove(job.output);
  }
  return reports;
}

// Runs every job at once, `kRounds` times, comparing each report with its
// reference and the folder with what it held before.
void expect_same_reports_at_once(const std::vector<Job>& jobs, const fs::path& folder) {
  const std::vector<std::string> references = sequential_reports(jobs);
  const std::string files_before = list_files(folder);
  for (int round = 1; round <= kRounds; ++round) {
    std::vector<std::future<ConvertRun>> runs;
    for (const auto& job : jobs) runs.push_back(std::async(std::launch::async, convert, job));
    for (std::size_t i = 0; i < jobs.size(); ++i) {
      const ConvertRun run = runs[i].get();
      SCOPED_TRACE("round " + std::to_string(round) + ", " + jobs[i].output.string());
      EXPECT_EQ(run.exit_status, 0) << run.output;
      if (run.exit_status == 0) {
        EXPECT_SAME_REPORT(references[i], read_file(jobs[i].output));
      }
      fs::remove(jobs[i].output);
    }
    EXPECT_EQ(list_files(folder), files_before) << "round " << round;
  }
}

TEST(ParallelRuns, SixHFANoiseModelsInOneFolderGiveTheirOwnReports) {
  ScratchDir dir;
  const char* const models[] = {"hfa/network/input.txt", "hfa/empty_node_section/input.txt",
                                "hfa/no_sections/input.txt", "hfa/soundplan_title/input.txt",
                                "hfa/layout_barriers/input.txt"};
  std::vector<Job> jobs;
  for (const char* model : models) {
    const fs::path input = dir / ("model" + std::to_string(jobs.size() + 1) + ".txt");
    fs::copy_file(data_dir() / model, input);
    jobs.push_back({"hfanoise", input, fs::path(input).replace_extension(".report.txt")});
  }
  // A sixth model: the network under another title, so that a report holding
  // the roads of the wrong model shows.
  std::string network = read_file(data_dir() / "hfa/network/input.txt");
  network.replace(0, network.find('\n'), "Kowloon Bypass --- stage 3");
  write_file(dir / "model6.txt", network);
  jobs.push_back({"hfanoise", dir / "model6.txt", dir / "model6.report.txt"});

  expect_same_reports_at_once(jobs, dir.path());
}

TEST(ParallelRuns, OneSoundPLANProjectConvertedTwiceAtOnce) {
  ScratchDir dir;
  write_project(read_file(data_dir() / "soundplan/report_small/project.txt"), dir.path());
  const fs::path input = dir / "chosen.sp";
  expect_same_reports_at_once(
      {{"soundplan", input, dir / "first.txt"}, {"soundplan", input, dir / "second.txt"}},
      dir.path());
}

}  // namespace
}  // namespace kalvor::test
