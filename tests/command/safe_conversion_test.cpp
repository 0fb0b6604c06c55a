// A conversion that fails part-way leaves nothing behind; one that succeeds
// leaves exactly its report; no conversion may write over its own input.
#include "command/safe_conversion.h"

#include <gtest/gtest.h>

#include "fake_job.h"
#include "golden.h"
#include "quillan/varnik.h"

using namespace kalvor;
using test::FakeJob;
using test::read_file;
using test::ScratchDir;
using test::write_file;

namespace {

class SafeConversion : public ::testing::Test {
 protected:
  void SetUp() override {
    write_file(dir / "model.dat", "input\r\n");
    write_file(dir / "report.txt", "earlier report\r\n");
    window.set_text(control::InputPath, (dir / "model.dat").string());
    window.set_text(control::OutputPath, (dir / "report.txt").string());
  }

  // Writes what a converter writes: a temporary file in the input folder, a
  // piece file beside the report and the report itself.
  static void write_files(JobDetails& job, quillan::Varnik& lib) {
    std::string report = job.text(control::OutputPath);
    std::string folder = lib.GetPathFromFullFilename(job.text(control::InputPath));
    lib.open_file_handler(folder + "20240305140700_road", 1, 3, false);
    lib.PrintLine(3, "temporary", true);
    lib.open_file_handler(report + "_road", 1, 4, false);
    lib.PrintLine(4, "piece", true);
    lib.open_file_handler(report, 1, 2, false);
    lib.PrintLine(2, "new report", true);
  }

  ScratchDir dir;
  FakeJob window;
  quillan::Varnik lib;
};

TEST_F(SafeConversion, AFailureLeavesTheEarlierReportAndNoOtherFile) {
  std::string before = test::list_files(dir.path());
  ConversionOutcome outcome = run_safely(window, [](JobDetails& job) {
    quillan::Varnik lib;
    write_files(job, lib);
    lib.open_file_handler("/nonexistent/x", 0, 5, false);  // fails with the channels open
  });
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_NE(outcome.failure.find("/nonexistent/x"), std::string::npos) << outcome.failure;
  EXPECT_EQ(read_file(dir / "report.txt"), "earlier report\r\n");
  EXPECT_EQ(test::list_files(dir.path()), before);
  // Every channel was closed.
  EXPECT_NO_THROW(lib.open_file_handler((dir / "model.dat").string(), 0, 2, false));
  lib.close_ALL_file_handler();
}

TEST_F(SafeConversion, ASuccessMovesTheReportIntoPlaceAndRemovesLeftovers) {
  ConversionOutcome outcome = run_safely(window, [](JobDetails& job) {
    quillan::Varnik lib;
    write_files(job, lib);
    lib.close_ALL_file_handler();
  });
  ASSERT_TRUE(outcome.succeeded) << outcome.failure;
  EXPECT_EQ(read_file(dir / "report.txt"), "new report\r\n");
  EXPECT_EQ(test::list_files(dir.path()), "model.dat\nreport.txt\n");
}

TEST_F(SafeConversion, RefusesAnOutputPathThatNamesTheInputBeforeAnythingRuns) {
  window.set_text(control::OutputPath, (dir / "." / "model.dat").string());
  bool ran = false;
  ConversionOutcome outcome = run_safely(window, [&](JobDetails&) { ran = true; });
  EXPECT_FALSE(ran);
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_NE(outcome.failure.find("is the input file"), std::string::npos);
  EXPECT_EQ(read_file(dir / "model.dat"), "input\r\n");

  window.set_text(control::OutputPath, (dir / "report.txt").string());
  window.set_text(control::LayoutBarrierFile, (dir / "report.txt").string());
  EXPECT_FALSE(run_safely(window, [&](JobDetails&) { ran = true; }).succeeded);
  EXPECT_FALSE(ran);
}

TEST_F(SafeConversion, RefusesToReplaceAFileTheConversionRead) {
  write_file(dir / "roads.SEG", "companion\r\n");
  window.set_text(control::OutputPath, (dir / "roads.SEG").string());
  ConversionOutcome outcome = run_safely(window, [&](JobDetails& job) {
    quillan::Varnik lib;
    lib.open_file_handler((dir / "roads.SEG").string(), 0, 1, false);
    lib.open_file_handler(job.text(control::OutputPath), 1, 2, false);
    lib.PrintLine(2, "report", true);
    lib.close_ALL_file_handler();
  });
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_EQ(read_file(dir / "roads.SEG"), "companion\r\n");
  EXPECT_EQ(test::list_files(dir.path()), "model.dat\nreport.txt\nroads.SEG\n");
}

TEST_F(SafeConversion, PutsBackTheJobDetailsAConverterChangedBeforeFailing) {
  std::string input = window.text(control::InputPath);
  ConversionOutcome outcome = run_safely(window, [](JobDetails& job) {
    job.set_text(control::InputPath, "/tmp/SP2HFA.txt");
    job.set_check_value(control::LayoutBarrierSwitch, 1);
    job.set_text(control::LayoutBarrierFile, "/tmp/SP2HFA_laybarr.txt");
    job.set_enabled(control::LayoutBarrierFile, false);
    throw ConversionError("stopped");
  });
  EXPECT_EQ(outcome.failure, "stopped");
  EXPECT_EQ(window.text(control::InputPath), input);
  EXPECT_EQ(window.check_value(control::LayoutBarrierSwitch), 0);
  EXPECT_EQ(window.text(control::LayoutBarrierFile), "");
}

TEST_F(SafeConversion, AConversionThatWritesNoReportFails) {
  ConversionOutcome outcome = run_safely(window, [](JobDetails&) {});
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_EQ(read_file(dir / "report.txt"), "earlier report\r\n");
}

TEST_F(SafeConversion, LibraryMessagesReachTheWindow) {
  run_safely(window, [](JobDetails&) { quillan::Varnik().check_result(0, 0, "Input Error!"); });
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, "Input Error!");
  EXPECT_EQ(window.messages[0].title, "Quillan");
}

}  // namespace
