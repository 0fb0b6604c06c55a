// Cancelling a conversion through the window: the Cancel button that stands
// in for Convert, Esc, and closing the window while it converts.
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "golden.h"
#include "window_fixture.h"

namespace kalvor::test {
namespace {

class CancelTest : public WindowTest {
 protected:
  CancelTest() {
    fill_job(QString::fromStdString(scratch.copy_in("hfc/roads/input.txt").string()),
             QString::fromStdString(report.string()));
    click(option_of("hfcnoise"));
    write_file(report, "an earlier report\n");
    files_before = list_files(scratch.path());
  }

  // Runs `action` at the converter's first event processing, then converts.
  void convert_and_meanwhile(std::function<void()> action) {
    QTimer::singleShot(0, window.get(), [this, action] {
      during.converting = window->converting();
      during.cancel_shown = find<QPushButton>("cmdCancel")->isVisible();
      during.convert_shown = find<QPushButton>("cmdConvert2KALVOR")->isVisible();
      action();
    });
    click("cmdConvert2KALVOR");
  }

  void expect_cancelled() {
    EXPECT_TRUE(during.converting) << "the action ran while the converter ran";
    EXPECT_TRUE(during.cancel_shown);
    EXPECT_FALSE(during.convert_shown);
    EXPECT_EQ(window->text(control::Status), "Cancelled");
    EXPECT_EQ(read_file(report), "an earlier report\n");
    EXPECT_EQ(list_files(scratch.path()), files_before) << "nothing is left behind";
    EXPECT_FALSE(find<QPushButton>("cmdConvert2KALVOR")->isHidden());
    EXPECT_TRUE(find<QPushButton>("cmdCancel")->isHidden());
    EXPECT_TRUE(window->command().ControlsEnabled());
    EXPECT_TRUE(convert_ready());
  }

  struct During {
    bool converting = false, cancel_shown = false, convert_shown = true;
  } during;
  ScratchDir scratch;
  std::filesystem::path report = scratch / "report.txt";
  std::string files_before;
};

TEST_F(CancelTest, CancelStopsTheConversionAndKeepsTheEarlierReport) {
  convert_and_meanwhile([this] { click("cmdCancel"); });
  EXPECT_TRUE(answers.messages.empty()) << "a cancelled conversion is no failure to report";
  expect_cancelled();

  click("cmdConvert2KALVOR");
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(answers.messages[0].text, "Done") << "the next conversion runs to the end";
}

TEST_F(CancelTest, EscCancels) {
  convert_and_meanwhile([this] { QTest::keyClick(window.get(), Qt::Key_Escape); });
  EXPECT_TRUE(answers.messages.empty());
  expect_cancelled();
}

TEST_F(CancelTest, ClosingWhileConvertingAsksAndGoesOnWhenTheUserSaysNo) {
  answers.reply(QMessageBox::No);
  convert_and_meanwhile([this] { window->close(); });
  ASSERT_EQ(answers.messages.size(), 2u);
  EXPECT_TRUE(answers.messages[0].text.contains("Cancel"))
      << answers.messages[0].text.toStdString();
  EXPECT_EQ(answers.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(answers.messages[1].text, "Done");
  EXPECT_TRUE(window->isVisible());
  EXPECT_NE(read_file(report), "an earlier report\n");
}

TEST_F(CancelTest, ClosingWhileConvertingCancelsAndClosesWhenTheUserSaysYes) {
  answers.reply(QMessageBox::Yes);
  convert_and_meanwhile([this] { window->close(); });
  ASSERT_EQ(answers.messages.size(), 1u);
  expect_cancelled();
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace kalvor::test
