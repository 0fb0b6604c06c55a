// The cancellation hook: a request ends a running conversion of any format
// at its next event processing, through the ordinary failure path.
#include <gtest/gtest.h>

#include <filesystem>

#include "command/convert_command.h"
#include "fake_job.h"
#include "formats/input_formats.h"
#include "golden.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

// Asks for cancellation while the conversion runs, at its second yield.
class CancellingJob : public FakeJob {
 protected:
  void process_pending_events() override {
    FakeJob::process_pending_events();
    if (events_processed == 2) request_cancellation();
  }
};

struct Example {
  const char* format;
  const char* input;
};

void PrintTo(const Example& example, std::ostream* out) {
  *out << example.format;
}

class Cancellation : public ::testing::TestWithParam<Example> {
 protected:
  void TearDown() override { clear_cancellation_request(); }
};

// The example model of the case, copied into `scratch`, and a job that
// converts it into scratch/report.txt.
fs::path copy_example(const ScratchDir& scratch, const Example& example) {
  const fs::path folder = scratch / "model";
  fs::copy(data_dir().parent_path().parent_path() / "examples" / example.format, folder);
  return folder;
}

void fill(FakeJob& job, const Example& example, const fs::path& folder, const fs::path& report) {
  job.fill_project_details();
  job.select_format(example.format);
  job.set_text(control::InputPath, (folder / example.input).string());
  job.set_text(control::OutputPath, report.string());
}

TEST_P(Cancellation, EndsTheConversionKeepsTheEarlierReportAndRemovesTemporaries) {
  ScratchDir scratch;
  const fs::path folder = copy_example(scratch, GetParam());
  const fs::path report = scratch / "report.txt";
  write_file(report, "earlier report\n");
  const std::string before = list_files(folder);

  CancellingJob job;
  fill(job, GetParam(), folder, report);
  ConvertCommand command(job);
  const ConversionOutcome outcome = command.cmdConvert2KALVOR_Click();

  EXPECT_FALSE(outcome.succeeded);
  EXPECT_TRUE(outcome.cancelled) << outcome.failure;
  EXPECT_EQ(outcome.failure, "The conversion was cancelled.");
  ASSERT_EQ(job.messages.size(), 1u);
  EXPECT_EQ(job.messages[0].text, outcome.failure);
  EXPECT_EQ(read_file(report), "earlier report\n");
  EXPECT_EQ(list_files(folder), before);
  EXPECT_EQ(list_files(scratch.path()), "model\nreport.txt\n");
  EXPECT_FALSE(cancellation_requested()) << "the command clears the request it answered";
  EXPECT_TRUE(command.ControlsEnabled());
}

// Called directly, without the command, a converter stopped half-way throws
// ConversionCancelled and closes its channels itself: the same converter
// then converts the model.
TEST_P(Cancellation, AConverterCalledDirectlyThrowsAndLeavesNoChannelOpen) {
  ScratchDir scratch;
  const fs::path folder = copy_example(scratch, GetParam());
  const auto converter = format_named(GetParam().format)->make_converter();
  CancellingJob cancelled;
  fill(cancelled, GetParam(), folder, scratch / "report.txt");
  EXPECT_THROW(converter->convert(cancelled), ConversionCancelled);
  clear_cancellation_request();

  FakeJob job;
  fill(job, GetParam(), folder, scratch / "report.txt");
  EXPECT_NO_THROW(converter->convert(job));
}

INSTANTIATE_TEST_SUITE_P(Examples, Cancellation,
                         ::testing::Values(Example{"hfanoise", "example.dat"},
                                           Example{"hfcnoise", "tai_po_road.txt"},
                                           Example{"soundplan", "STRA.001"},
                                           Example{"roadnoise", "SHATIN.MAS"},
                                           Example{"tnia", "example.xlsx"}),
                         [](const auto& info) { return std::string(info.param.format); });

TEST(MemoryJob, HoldsOnlyTheWindowsValuesAndRunsTheSwitchReaction) {
  MemoryJob job;
  EXPECT_THROW(job.text("txtNoSuchBox"), std::logic_error);
  EXPECT_THROW(job.set_text("txtNoSuchBox", "x"), std::logic_error);
  EXPECT_THROW(job.check_value("chkNoSuchBox"), std::logic_error);
  EXPECT_TRUE(job.enabled("cmdAnyButton"));

  job.set_check_value(control::LayoutBarrierSwitch, 1);
  EXPECT_TRUE(job.enabled(control::LayoutBarrierFile));
  EXPECT_TRUE(job.enabled(control::LayoutBarrierBrowse));
  job.set_text(control::LayoutBarrierFile, "lay.txt");
  job.set_check_value(control::LayoutBarrierSwitch, 0);
  EXPECT_EQ(job.text(control::LayoutBarrierFile), "");
  EXPECT_FALSE(job.enabled(control::LayoutBarrierFile));
  EXPECT_FALSE(job.enabled(control::LayoutBarrierBrowse));
}

}  // namespace
}  // namespace kalvor::test
