// Every bundled example converts through the window into the same report
// as the command line writes from the same job details.
#include <filesystem>
#include <string>

#include "convert_program.h"
#include "golden.h"
#include "window_fixture.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

struct Example {
  const char* folder;
  const char* format;  // as the command line names it
  const char* input;
  const char* layout_barrier;  // or nullptr
};

const Example kExamples[] = {
    {"hfanoise", "hfanoise", "example.dat", "example_laybarr.txt"},
    {"hfcnoise", "hfcnoise", "tai_po_road.txt", nullptr},
    {"roadnoise", "roadnoise", "SHATIN.MAS", nullptr},
    {"soundplan", "soundplan", "STRA.001", nullptr},
    {"tnia", "tnia", "example.xlsx", nullptr},
};

void PrintTo(const Example& example, std::ostream* out) {
  *out << example.folder;
}

// A copy of an example folder, since converters write beside their input.
fs::path copy_example(const ScratchDir& scratch, const Example& example, const char* copy) {
  const fs::path folder = scratch / copy;
  fs::copy(fs::path(KALVOR_EXAMPLES_DIR) / example.folder, folder, fs::copy_options::recursive);
  return folder;
}

// The report is dated by its input file; the layout-barrier file, browsed
// last, carries another date that must not reach the header.
void set_dates(const fs::path& folder, const Example& example) {
  set_modification_time(folder / example.input, 2026, 3, 14, 9, 5);
  if (example.layout_barrier)
    set_modification_time(folder / example.layout_barrier, 2024, 11, 30, 18, 45);
}

int convert_on_command_line(const Example& example, const fs::path& folder,
                            const fs::path& report) {
  set_dates(folder, example);
  std::string extra;
  if (example.layout_barrier)
    extra += " --layout-barrier " + shell_quoted((folder / example.layout_barrier).string());
  return convert_with_kalvor_convert(example.format, folder / example.input, report, extra)
      .exit_status;
}

class ExampleConversionTest : public WindowTest, public ::testing::WithParamInterface<Example> {
 protected:
  ScratchDir scratch;
};

TEST_P(ExampleConversionTest, ConvertsThroughTheWindowAsOnTheCommandLine) {
  const Example& example = GetParam();
  const fs::path folder = copy_example(scratch, example, "window");
  const fs::path report = scratch / "window-report.txt";
  const std::string input = (folder / example.input).string();

  click(option_of(example.format));
  fill_job("", QString::fromStdString(report.string()));
  pick_with("cmdBrowseInput", input);
  if (example.layout_barrier) {
    click(control::LayoutBarrierSwitch);
    pick_with(control::LayoutBarrierBrowse, (folder / example.layout_barrier).string());
  }
  set_dates(folder, example);
  ASSERT_TRUE(convert_ready());
  const std::string files_before = list_files(folder);

  click("cmdConvert2KALVOR");
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(answers.messages[0].text, "Done");
  EXPECT_EQ(window->text(control::InputPath), input) << "the user's input path is back";
  EXPECT_EQ(window->check_value(control::LayoutBarrierSwitch), example.layout_barrier ? 1 : 0);
  EXPECT_EQ(list_files(folder), files_before) << "no intermediate file is left behind";
  EXPECT_EQ(window->progress(), 0.0f);
  EXPECT_EQ(window->text(control::Status).rfind("window-report.txt: ", 0), 0u)
      << "the status sums the report up: " << window->text(control::Status);
  EXPECT_EQ(window->text(control::Status).find("cannot be read back"), std::string::npos);

  const fs::path cli_report = scratch / "cli-report.txt";
  ASSERT_EQ(convert_on_command_line(example, copy_example(scratch, example, "cli"), cli_report), 0);
  EXPECT_SAME_REPORT(read_file(cli_report), read_file(report));
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleConversionTest, ::testing::ValuesIn(kExamples),
                         [](const auto& info) { return std::string(info.param.folder); });

}  // namespace
}  // namespace kalvor::test
