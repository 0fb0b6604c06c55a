// The three browse commands: titles, filters, the shared input dialog and
// the save dialog of the report.
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>

#include "window_fixture.h"

namespace kalvor::test {
namespace {

class BrowseTest : public WindowTest {
 protected:
  BrowseTest() {
    for (auto name : {"model.dat", "layout.txt"}) {
      QFile file(folder_.filePath(QString::fromUtf8(name)));
      EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    }
  }
  QString path(const char* name) const { return folder_.filePath(QString::fromUtf8(name)); }

  // Queues an answer that checks the dialog and then picks `chosen`; a
  // dialog still open after that (the user declined to replace a file) is
  // cancelled.
  void pick(const QString& title, const QStringList& filters, const QString& chosen,
            QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen) {
    answers.then([=, this](QDialog& modal) {
      auto* dialog = qobject_cast<QFileDialog*>(&modal);
      ASSERT_NE(dialog, nullptr);
      seen_dialogs.push_back(dialog);
      EXPECT_EQ(dialog->windowTitle(), title);
      EXPECT_EQ(dialog->nameFilters(), filters);
      EXPECT_EQ(dialog->acceptMode(), mode);
      dialog->findChild<QLineEdit*>("fileNameEdit")->setText(chosen);
      static_cast<QDialog*>(dialog)->accept();
      if (dialog->isVisible()) dialog->reject();
    });
  }
  void cancel() {
    answers.then([this](QDialog& modal) {
      seen_dialogs.push_back(&modal);
      modal.reject();
    });
  }

  QTemporaryDir folder_;
  std::vector<QDialog*> seen_dialogs;
};

const QStringList kInputFilters = {"All files(*.*) (*)", "Data files(*.dat) (*.dat)",
                                   "Master files(*.mas) (*.mas)", "Text files(*.txt) (*.txt)",
                                   "MS Excel files(*.xls;*.xlsx) (*.xls *.xlsx)"};
const QStringList kLayoutBarrierFilters = {"All files(*.*) (*)", "Data files(*.dat) (*.dat)",
                                           "Text files(*.txt) (*.txt)"};
const QString kOpenTitle = "Open Input file for Conversion";
const QString kCreateTitle = "Create Output file for Conversion";
const QStringList kOutputFilters = {"Text files(*.txt) (*.txt)"};

TEST_F(BrowseTest, InputAndLayoutBarrierShareOneOpenDialog) {
  pick(kOpenTitle, kInputFilters, path("model.dat"));
  click("cmdBrowseInput");
  EXPECT_EQ(shown(control::InputPath), path("model.dat"));

  click(option_of("hfanoise"));
  click(control::LayoutBarrierSwitch);
  pick(kOpenTitle, kLayoutBarrierFilters, path("layout.txt"));
  click(control::LayoutBarrierBrowse);
  EXPECT_EQ(shown(control::LayoutBarrierFile), path("layout.txt"));

  ASSERT_EQ(seen_dialogs.size(), 2u);
  EXPECT_EQ(seen_dialogs[0], seen_dialogs[1]);
  EXPECT_EQ(seen_dialogs[0], window->findChild<QFileDialog*>("openInputDialog"));
  EXPECT_EQ(answers.unexpected_dialogs, 0);
}

TEST_F(BrowseTest, OutputBrowseIsASaveDialogOfItsOwn) {
  pick(kOpenTitle, kInputFilters, path("model.dat"));
  entry("mnuFileInput")->trigger();
  pick(kCreateTitle, kOutputFilters, path("report.txt"), QFileDialog::AcceptSave);
  entry("mnuFileOutput")->trigger();
  EXPECT_EQ(shown(control::OutputPath), path("report.txt"));
  ASSERT_EQ(seen_dialogs.size(), 2u);
  EXPECT_NE(seen_dialogs[0], seen_dialogs[1]);
  EXPECT_TRUE(answers.messages.empty()) << "a new file needs no question";
}

TEST_F(BrowseTest, OutputDialogAddsTxtAndAsksBeforeReplacingAFile) {
  pick(kCreateTitle, kOutputFilters, path("riverside"), QFileDialog::AcceptSave);
  click("cmdBrowseOutput");
  EXPECT_EQ(shown(control::OutputPath), path("riverside.txt"));

  answers.reply(QMessageBox::No);
  pick(kCreateTitle, kOutputFilters, path("layout.txt"), QFileDialog::AcceptSave);
  click("cmdBrowseOutput");
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_TRUE(answers.messages[0].text.contains("layout.txt")) << "asked about the file";
  EXPECT_EQ(shown(control::OutputPath), path("riverside.txt")) << "declined: nothing changes";

  answers.reply(QMessageBox::Yes);
  pick(kCreateTitle, kOutputFilters, path("layout.txt"), QFileDialog::AcceptSave);
  click("cmdBrowseOutput");
  EXPECT_EQ(answers.messages.size(), 2u);
  EXPECT_EQ(shown(control::OutputPath), path("layout.txt"));
}

TEST_F(BrowseTest, CancellingABrowseChangesNothing) {
  pick(kOpenTitle, kInputFilters, path("model.dat"));
  click("cmdBrowseInput");
  type(control::OutputPath, "typed.txt");
  click(option_of("hfanoise"));
  click(control::LayoutBarrierSwitch);
  type(control::LayoutBarrierFile, "typed-layout.txt");

  cancel();
  click("cmdBrowseInput");
  cancel();
  click("cmdBrowseOutput");
  cancel();
  click(control::LayoutBarrierBrowse);
  EXPECT_EQ(seen_dialogs.size(), 4u);
  EXPECT_EQ(shown(control::InputPath), path("model.dat"));
  EXPECT_EQ(shown(control::OutputPath), "typed.txt");
  EXPECT_EQ(shown(control::LayoutBarrierFile), "typed-layout.txt");
}

}  // namespace
}  // namespace kalvor::test
