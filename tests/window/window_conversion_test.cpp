// Conversions run through the window: the command locks it, the converter
// reports into it, and it is handed back to the user afterwards.
#include <QApplication>
#include <QProgressBar>
#include <QTimer>
#include <QToolBar>

#include "golden.h"
#include "plan/plan_window.h"
#include "window_fixture.h"

namespace kalvor::test {
namespace {

// The window's state at the moment a message box was shown.
struct StateAtMessage {
  bool window_enabled = true;
  bool inputs_enabled = true;
  bool toolbar_enabled = true;
  float progress = -1;
  int bar = -1;
};

class WindowConversionTest : public WindowTest {
 protected:
  WindowConversionTest() {
    answers.on_message([this](const SeenMessage&) {
      at_message.window_enabled = window->window_enabled();
      at_message.inputs_enabled = window->enabled(control::InputPath);
      at_message.toolbar_enabled = find<QToolBar>("tbToolBar")->isEnabled();
      at_message.progress = window->progress();
      at_message.bar = find<QProgressBar>(control::Progress)->value();
    });
  }

  // `status` is what the status bar shows afterwards.
  void expect_handed_back(const std::string& status = "") {
    EXPECT_TRUE(window->window_enabled());
    EXPECT_TRUE(window->command().ControlsEnabled());
    for (auto name : {"cmdBrowseInput", "cmdExit", "mnuFile", "mnuHelp", "txtInputFilePath"})
      EXPECT_TRUE(window->enabled(name)) << name;
    EXPECT_TRUE(convert_ready());
    EXPECT_EQ(window->progress(), 0.0f);
    EXPECT_EQ(find<QProgressBar>(control::Progress)->value(), 0);
    EXPECT_EQ(window->text(control::Status), status);
  }

  ScratchDir scratch;
  StateAtMessage at_message;
};

TEST_F(WindowConversionTest, HFCNoiseModelConvertsToTheExpectedReportAndEndsWithDone) {
  const auto input = scratch.copy_in("hfc/roads/input.txt");
  set_modification_time(input, 2026, 3, 14, 9, 5);
  const auto output = scratch / "report.txt";
  fill_job("", QString::fromStdString(output.string()));
  pick_with("cmdBrowseInput", input.string());
  click(option_of("hfcnoise"));
  ASSERT_TRUE(convert_ready());

  // An event posted now is handled while the converter runs, before "Done".
  std::string status_while_converting;
  QTimer::singleShot(0, window.get(), [&] {
    if (QApplication::activeModalWidget() == nullptr)
      status_while_converting = window->text(control::Status);
  });
  click("cmdConvert2KALVOR");
  EXPECT_FALSE(status_while_converting.empty()) << "no events were processed while converting";
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(answers.messages[0].text, "Done");
  EXPECT_EQ(answers.messages[0].icon, QMessageBox::Information);
  EXPECT_EQ(answers.messages[0].title.toStdString(), window->WindowTitle());
  EXPECT_FALSE(at_message.window_enabled);
  EXPECT_FALSE(at_message.inputs_enabled);
  EXPECT_FALSE(at_message.toolbar_enabled) << "the toolbar follows the greyed menus";
  EXPECT_TRUE(find<QToolBar>("tbToolBar")->isEnabled());
  EXPECT_EQ(at_message.progress, 100.0f);
  EXPECT_EQ(at_message.bar, 100);
  expect_handed_back(
      "report.txt: 5 road links (7 segments), 0 barrier links (0 generated), 0 receivers");
  EXPECT_SAME_REPORT(read_file(data_dir() / "hfc/roads/expected.txt"), read_file(output));

  const Converter* converter = window->command().converter_of(*format_named("hfcnoise"));
  entry("mnuConvert")->trigger();
  EXPECT_EQ(answers.messages.size(), 2u);
  EXPECT_EQ(window->command().converter_of(*format_named("hfcnoise")), converter)
      << "a second conversion reuses the converter";
}

TEST_F(WindowConversionTest, FailingConversionShowsTheErrorAndHandsTheWindowBack) {
  const auto output = scratch / "report.txt";
  fill_job(QString::fromStdString((scratch / "missing.txt").string()),
           QString::fromStdString(output.string()));
  click(option_of("hfcnoise"));
  click("cmdConvert2KALVOR");

  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_NE(answers.messages[0].text, "Done");
  EXPECT_TRUE(answers.messages[0].text.contains("missing.txt"))
      << answers.messages[0].text.toStdString();
  EXPECT_EQ(answers.messages[0].title.toStdString(), window->WindowTitle());
  EXPECT_FALSE(at_message.window_enabled);
  expect_handed_back();
  EXPECT_FALSE(std::filesystem::exists(output));
  EXPECT_TRUE(find<QPushButton>("cmdShowPlan")->isHidden()) << "no report, no plan";
  EXPECT_FALSE(entry("mnuViewPlanShow")->isEnabled());
}

TEST_F(WindowConversionTest, TheHeaderIsDatedByTheFileConvertedNotTheOneBrowsedLast) {
  const auto browsed = scratch.copy_in("hfc/roads/input.txt");
  set_modification_time(browsed, 2026, 3, 14, 9, 5);
  const auto typed = scratch / "typed.txt";
  std::filesystem::copy_file(browsed, typed);
  set_modification_time(typed, 2025, 1, 2, 7, 30);
  const auto output = scratch / "report.txt";

  fill_job("", QString::fromStdString(output.string()));
  pick_with("cmdBrowseInput", browsed.string());
  type(control::InputPath, QString::fromStdString(typed.string()));
  click(option_of("hfcnoise"));
  click("cmdConvert2KALVOR");
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(answers.messages[0].text, "Done");
  const std::string report = read_file(output);
  EXPECT_NE(report.find("Date:               02/01/2025     Time: 07:30"), std::string::npos)
      << report.substr(0, 400);
}

TEST_F(WindowConversionTest, BlanksAroundThePathsAreTrimmedBeforeConverting) {
  const auto input = scratch.copy_in("hfc/roads/input.txt");
  const auto output = scratch / "report.txt";
  fill_job(QString::fromStdString(" " + input.string() + "\u00a0"),
           QString::fromStdString(output.string() + "  "));
  click(option_of("hfcnoise"));
  click("cmdConvert2KALVOR");
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(answers.messages[0].text, "Done");
  EXPECT_EQ(shown(control::InputPath).toStdString(), input.string());
  EXPECT_EQ(shown(control::OutputPath).toStdString(), output.string());
  EXPECT_FALSE(std::filesystem::exists(output.string() + "  ")) << "no report named with blanks";
  EXPECT_TRUE(std::filesystem::exists(output));
}

TEST_F(WindowConversionTest, DetailsTheReportCannotHoldAreNamedAndConvertOnlyWhenTheUserAgrees) {
  const auto input = scratch.copy_in("hfc/roads/input.txt");
  const auto output = scratch / "report.txt";
  fill_job(QString::fromStdString(input.string()), QString::fromStdString(output.string()));
  box(control::Consultant)->setText(QString::fromUtf8("\u9673\u6c0f\u8072\u5b78 Ltd \u00c9tude"));
  click(option_of("hfcnoise"));

  answers.reply(QMessageBox::No);
  click("cmdConvert2KALVOR");
  ASSERT_EQ(answers.messages.size(), 1u);
  const QString question = answers.messages[0].text;
  EXPECT_TRUE(question.contains(QString::fromUtf8("\u9673 \u6c0f \u8072 \u5b78")))
      << question.toStdString();
  EXPECT_FALSE(question.contains(QString::fromUtf8("\u00c9"))) << "Windows-1252 holds it";
  EXPECT_TRUE(question.contains("'?'"));
  EXPECT_EQ(answers.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_FALSE(std::filesystem::exists(output)) << "declined: nothing converted";
  EXPECT_TRUE(window->command().ControlsEnabled());

  answers.reply(QMessageBox::Yes);
  click("cmdConvert2KALVOR");
  ASSERT_EQ(answers.messages.size(), 3u);
  EXPECT_EQ(answers.messages[2].text, "Done");
  EXPECT_NE(read_file(output).find("Name of Consultant: ???? Ltd \xc9tude"), std::string::npos);
}

TEST_F(WindowConversionTest, AfterDoneShowPlanOpensThePlanOfTheReportJustWritten) {
  EXPECT_TRUE(find<QPushButton>("cmdShowPlan")->isHidden());
  EXPECT_FALSE(entry("mnuViewPlanShow")->isEnabled());
  const auto output = scratch / "report.txt";
  fill_job(QString::fromStdString(scratch.copy_in("hfc/roads/input.txt").string()),
           QString::fromStdString(output.string()));
  click(option_of("hfcnoise"));
  click("cmdConvert2KALVOR");
  ASSERT_EQ(window->text(control::Status).rfind("report.txt: 5 road links", 0), 0u);
  ASSERT_FALSE(find<QPushButton>("cmdShowPlan")->isHidden());
  EXPECT_TRUE(entry("mnuViewPlanShow")->isEnabled());

  click("cmdShowPlan");
  plan::PlanWindow* plan = window->plan_window();
  ASSERT_NE(plan, nullptr);
  EXPECT_TRUE(plan->isVisible());
  ASSERT_NE(plan->model(), nullptr);

  const auto other = scratch.copy_in("hfa/layout_barriers/expected.txt");
  answers.then([&](QDialog& modal) {
    modal.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(other.string()));
    modal.accept();
  });
  entry("mnuViewPlanOpen")->trigger();
  EXPECT_EQ(window->plan_window(), plan) << "one plan window";
  EXPECT_EQ(answers.unexpected_dialogs, 0);
  EXPECT_EQ(answers.messages.size(), 1u) << "only the Done box";

  window->close();
  EXPECT_FALSE(plan->isVisible()) << "closing the main window closes the plan";
}

}  // namespace
}  // namespace kalvor::test
