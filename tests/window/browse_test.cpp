// The three browse commands: titles, filters, the shared input dialog and
// the dialog file name that dates the report's header.
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

  // Queues an answer that checks the dialog and then picks `chosen`.
  void pick(const QString& title, const QStringList& filters, const QString& chosen) {
    answers.then([=, this](QDialog& modal) {
      auto* dialog = qobject_cast<QFileDialog*>(&modal);
      ASSERT_NE(dialog, nullptr);
      seen_dialogs.push_back(dialog);
      EXPECT_EQ(dialog->windowTitle(), title);
      EXPECT_EQ(dialog->nameFilters(), filters);
      EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
      dialog->findChild<QLineEdit*>("fileNameEdit")->setText(chosen);
      static_cast<QDialog*>(dialog)->accept();
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
                                   "MS Excel files(*.xls) (*.xls)"};
const QStringList kLayoutBarrierFilters = {"All files(*.*) (*)", "Data files(*.dat) (*.dat)",
                                           "Text files(*.txt) (*.txt)"};
const QString kOpenTitle = "Open Input file for Conversion";

TEST_F(BrowseTest, InputAndLayoutBarrierShareOneDialogWhoseLastPickDatesTheReport) {
  pick(kOpenTitle, kInputFilters, path("model.dat"));
  click("cmdBrowseInput");
  EXPECT_EQ(shown(control::InputPath), path("model.dat"));
  EXPECT_EQ(window->text(control::DialogFileName), path("model.dat").toStdString());

  click(option_of("hfanoise"));
  click(control::LayoutBarrierSwitch);
  pick(kOpenTitle, kLayoutBarrierFilters, path("layout.txt"));
  click(control::LayoutBarrierBrowse);
  EXPECT_EQ(shown(control::LayoutBarrierFile), path("layout.txt"));
  EXPECT_EQ(window->text(control::DialogFileName), path("layout.txt").toStdString());

  ASSERT_EQ(seen_dialogs.size(), 2u);
  EXPECT_EQ(seen_dialogs[0], seen_dialogs[1]);
  EXPECT_EQ(seen_dialogs[0], window->findChild<QFileDialog*>("openInputDialog"));
  EXPECT_EQ(answers.unexpected_dialogs, 0);
}

TEST_F(BrowseTest, OutputBrowseNamesANewReportWithoutChangingTheDialogFileName) {
  pick(kOpenTitle, kInputFilters, path("model.dat"));
  entry("mnuFileInput")->trigger();
  pick("Create Output file for Conversion", {"Text files(*.txt) (*.txt)"}, path("report.txt"));
  entry("mnuFileOutput")->trigger();
  EXPECT_EQ(shown(control::OutputPath), path("report.txt"));
  EXPECT_EQ(window->text(control::DialogFileName), path("model.dat").toStdString());
  ASSERT_EQ(seen_dialogs.size(), 2u);
  EXPECT_NE(seen_dialogs[0], seen_dialogs[1]);
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
  EXPECT_EQ(window->text(control::DialogFileName), path("model.dat").toStdString());
}

}  // namespace
}  // namespace kalvor::test
