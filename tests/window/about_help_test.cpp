// The logo, the help command and the About box with its system information.
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "window/frm_about.h"
#include "window/program.h"
#include "window_fixture.h"

namespace kalvor::test {
namespace {

using AboutHelpTest = WindowTest;

TEST_F(AboutHelpTest, ClickingTheLogoThanksTheUser) {
  QTest::mouseClick(find<QLabel>("picLogo"), Qt::LeftButton);
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(answers.messages[0].text, "Thanks for using this program");
  EXPECT_EQ(answers.messages[0].icon, QMessageBox::Information);
  EXPECT_EQ(answers.messages[0].buttons, QMessageBox::Ok);
  EXPECT_EQ(answers.messages[0].title.toStdString(), window->WindowTitle());
}

TEST_F(AboutHelpTest, HelpWithoutAGuideSaysThereIsNone) {
  window->set_help_file(QString());
  entry("mnuHelpContents")->trigger();
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(answers.messages[0].text,
            "Unable to display Help Contents. There is no Help associated with this project.");
  EXPECT_EQ(answers.messages[0].icon, QMessageBox::Information);
  EXPECT_EQ(answers.messages[0].title, window->windowTitle());
}

// Stands in for the desktop's viewer of local files.
class Viewer : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void show(const QUrl& url) { opened << url; }
};

TEST_F(AboutHelpTest, HelpOpensTheGuideInTheDesktopsViewer) {
  const QString guide = QStringLiteral(KALVOR_GUIDE);
  ASSERT_TRUE(QFile::exists(guide));
  window->set_help_file(guide);
  Viewer viewer;
  QDesktopServices::setUrlHandler("file", &viewer, "show");
  entry("mnuHelpContents")->trigger();
  QDesktopServices::unsetUrlHandler("file");
  EXPECT_EQ(viewer.opened, QList<QUrl>{QUrl::fromLocalFile(guide)});
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(AboutHelpTest, HelpThatCannotBeOpenedSaysWhy) {
  window->set_help_file(QStringLiteral(KALVOR_GUIDE));
  entry("mnuHelpContents")->trigger();  // the offscreen desktop has no viewer
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_TRUE(answers.messages[0].text.contains(QStringLiteral(KALVOR_GUIDE)));
}

// Opens the About box, runs `inside` on it, then closes it with OK.
void with_about_box(ModalAnswerer& answers, frmMain& window,
                    const std::function<void(frmAbout&)>& inside) {
  answers.then([&](QDialog& modal) {
    auto* about = qobject_cast<frmAbout*>(&modal);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->parentWidget(), &window);
    inside(*about);
    QTest::mouseClick(about->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  });
  window.findChild<QAction*>("mnuHelpAbout")->trigger();
  EXPECT_EQ(answers.unexpected_dialogs, 0);
}

TEST_F(AboutHelpTest, AboutBoxShowsTitleVersionAndDescription) {
  bool shown = false;
  with_about_box(answers, *window, [&](frmAbout& about) {
    shown = true;
    EXPECT_TRUE(about.isModal());
    EXPECT_EQ(about.windowTitle(), "About KALVOR");
    auto label = [&](const char* name) { return about.findChild<QLabel*>(name)->text(); };
    EXPECT_EQ(label("lblTitle"), "[KALVOR]");
    const Version v = program_version();
    EXPECT_EQ(label("lblVersion"), QStringLiteral("Version %1.%2.%3 %4")
                                       .arg(v.major)
                                       .arg(v.minor)
                                       .arg(v.revision)
                                       .arg(kProgramComment));
    EXPECT_EQ(label("lblDescription"),
              "KALVOR : Data Exchange Protocol for Traffic Noise Assessment");
    EXPECT_EQ(about.findChild<QPushButton*>("cmdSysInfo")->text(), "&System Info...");
    EXPECT_EQ(about.findChild<QPushButton*>("cmdOK")->text(), "OK");
  });
  EXPECT_TRUE(shown);
  EXPECT_FALSE(window->findChild<frmAbout*>()) << "the About box is gone after OK";
}

class SystemInfoTest : public AboutHelpTest {
 protected:
  SystemInfoTest() : saved_path_(qgetenv("PATH")) { qputenv("PATH", bin_.path().toUtf8()); }
  ~SystemInfoTest() override { qputenv("PATH", saved_path_); }
  QTemporaryDir bin_;
  QByteArray saved_path_;
};

TEST_F(SystemInfoTest, WithoutASystemInformationProgramSaysItIsUnavailable) {
  with_about_box(answers, *window, [](frmAbout& about) {
    QTest::mouseClick(about.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
  });
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(answers.messages[0].text, "System Information Is Unavailable At This Time");
  EXPECT_EQ(answers.messages[0].buttons, QMessageBox::Ok);
}

TEST_F(SystemInfoTest, StartsTheDesktopsSystemInformationProgram) {
  const QString marker = bin_.filePath("started");
  QFile program(bin_.filePath(frmAbout::kSystemInfoPrograms.back()));
  ASSERT_TRUE(program.open(QIODevice::WriteOnly));
  program.write(QStringLiteral("#!/bin/sh\necho started > '%1'\n").arg(marker).toUtf8());
  program.close();
  program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

  with_about_box(answers, *window, [](frmAbout& about) {
    QTest::mouseClick(about.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
  });
  EXPECT_TRUE(answers.messages.empty());
  EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 5000));
}

}  // namespace
}  // namespace kalvor::test

#include "about_help_test.moc"
