// HFCNoise conversions through the kalvor-convert program.
#include <gtest/gtest.h>

#include "convert_program.h"
#include "golden.h"
#include "hfc_model_lines.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

ConvertRun convert(const fs::path& input, const fs::path& output) {
  return convert_with_kalvor_convert("hfcnoise", input, output);
}

TEST(HfcCommandLine, ConvertsAModel) {
  ScratchDir dir;
  const auto input = dir.copy_in("hfc/roads/input.txt");
  set_modification_time(input, 2026, 3, 14, 9, 5);
  const auto run = convert(input, dir / "report.txt");
  EXPECT_EQ(0, run.exit_status) << run.output;
  EXPECT_SAME_REPORT(read_file(data_dir() / "hfc/roads/expected.txt"),
                     read_file(dir / "report.txt"));
}

TEST(HfcCommandLine, BrokenModelFailsNamingTheLineAndLeavesNoReport) {
  ScratchDir dir;
  const auto input = dir / "broken.txt";
  write_file(input, file_of(with_line(small_model(), 6, "two")));
  const auto run = convert(input, dir / "report.txt");
  EXPECT_EQ(1, run.exit_status);
  EXPECT_NE(std::string::npos, run.output.find("line 6")) << run.output;
  EXPECT_EQ("broken.txt\n", list_files(dir.path()));
}

}  // namespace
}  // namespace kalvor::test
