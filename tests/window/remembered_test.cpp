// What the window remembers from one session to the next.
#include <QFile>
#include <QFileDialog>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

#include "window/program.h"
#include "window_fixture.h"

namespace kalvor::test {
namespace {

class RememberedTest : public WindowTest {
 protected:
  // Closes the window and opens the next session's.
  void next_session() {
    EXPECT_TRUE(window->close());
    window = std::make_unique<frmMain>();
    window->show();
  }
  QString dialog_folder(const char* dialog) const {
    return window->findChild<QFileDialog*>(dialog)->directory().absolutePath();
  }
  QTemporaryDir models_, reports_;
};

TEST_F(RememberedTest, FormatDetailsAndBrowsedFoldersComeBackButNotThePaths) {
  QFile model(models_.filePath("model.xlsx"));
  ASSERT_TRUE(model.open(QIODevice::WriteOnly));
  click(option_of("tnia"));
  fill_job("", "");
  type(control::Coordinate, "HK1980 Grid (PD)");
  pick_with("cmdBrowseInput", models_.filePath("model.xlsx").toStdString());
  answers.then([this](QDialog& modal) {
    modal.findChild<QLineEdit*>("fileNameEdit")->setText(reports_.filePath("r.txt"));
    modal.accept();
  });
  click("cmdBrowseOutput");
  const QString consultant = shown(control::Consultant);

  next_session();
  EXPECT_TRUE(window->option_selected(option_of("tnia")));
  EXPECT_EQ(caption("lblInput"), "MS Excel file:");
  EXPECT_EQ(shown(control::Consultant), consultant);
  EXPECT_EQ(shown(control::Coordinate), "HK1980 Grid (PD)");
  EXPECT_EQ(shown(control::YearTrafficFlow), "2031");
  EXPECT_EQ(shown(control::InputPath), "");
  EXPECT_EQ(shown(control::OutputPath), "");
  EXPECT_EQ(dialog_folder("openInputDialog"), models_.path());
  EXPECT_EQ(dialog_folder("saveOutputDialog"), reports_.path());
}

TEST_F(RememberedTest, TheHFCNoiseDefaultStaysADefaultInTheNextSession) {
  click(option_of("hfcnoise"));
  next_session();
  EXPECT_EQ(shown(control::Coordinate), "HK1980 Grid");
  click(option_of("roadnoise"));
  EXPECT_EQ(shown(control::Coordinate), "");
}

TEST_F(RememberedTest, ThePlacementComesBackOnlyWhereItIsOnAScreen) {
  window->setGeometry(120, 90, 500, 400);
  const QRect placed = window->frameGeometry();
  next_session();
  EXPECT_EQ(window->frameGeometry(), placed);

  {
    QSettings settings(kSettingsOrganisation, kProgramTitle);
    settings.setValue("Settings/MainLeft", "-20000");
  }
  window = std::make_unique<frmMain>();
  window->show();
  EXPECT_NE(window->frameGeometry().x(), -20000);
  EXPECT_TRUE(window->screen()->geometry().intersects(window->frameGeometry()));
}

}  // namespace
}  // namespace kalvor::test
