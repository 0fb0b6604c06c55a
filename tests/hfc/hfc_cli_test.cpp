// HFCNoise conversions through the kalvor-convert program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "golden.h"
#include "hfc_model_lines.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

struct Run {
  int exit_status;
  std::string errors;
};

Run convert(const ScratchDir& dir, const fs::path& input, const fs::path& output) {
  const std::string command = std::string("'") + KALVOR_CONVERT_EXE +
                              "' --format hfcnoise --input '" + input.string() + "' --output '" +
                              output.string() +
                              "' --consultant 'Acme Acoustics Ltd' --phone '2345 6789'"
                              " --fax '2345 6790' --email noise@acme.example"
                              " --coordinate 'HK1980 Grid' --year 2031 --quiet 2> '" +
                              (dir / "errors.txt").string() + "'";
  const int status = std::system(command.c_str());
  std::string errors = read_file(dir / "errors.txt");
  fs::remove(dir / "errors.txt");
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, errors};
}

TEST(HfcCommandLine, ConvertsAModel) {
  ScratchDir dir;
  const auto input = dir.copy_in("hfc/roads/input.txt");
  set_modification_time(input, 2026, 3, 14, 9, 5);
  const auto run = convert(dir, input, dir / "report.txt");
  EXPECT_EQ(0, run.exit_status) << run.errors;
  EXPECT_SAME_REPORT(read_file(data_dir() / "hfc/roads/expected.txt"),
                     read_file(dir / "report.txt"));
}

TEST(HfcCommandLine, BrokenModelFailsNamingTheLineAndLeavesNoReport) {
  ScratchDir dir;
  const auto input = dir / "broken.txt";
  write_file(input, file_of(with_line(small_model(), 6, "two")));
  const auto run = convert(dir, input, dir / "report.txt");
  EXPECT_EQ(1, run.exit_status);
  EXPECT_NE(std::string::npos, run.errors.find("line 6")) << run.errors;
  EXPECT_EQ("broken.txt\n", list_files(dir.path()));
}

}  // namespace
}  // namespace kalvor::test
