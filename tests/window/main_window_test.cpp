// The main window's controls, captions and reactions: readiness, format
// choices, the layout-barrier switch, the job details it hands over, and
// what closing it leaves behind.
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "window/program.h"
#include "window_fixture.h"

namespace kalvor::test {
namespace {

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, LoadsWithTitleCaptionsAndTheConvertCommandLocked) {
  EXPECT_EQ(window->windowTitle().toStdString(), compose_window_title(program_version()));
  EXPECT_EQ(window->WindowTitle(), compose_window_title(program_version()));
  EXPECT_FALSE(convert_ready());
  EXPECT_TRUE(window->command().ControlsEnabled());

  const std::pair<const char*, const char*> menus[] = {
      {"mnuFile", "&File"}, {"mnuView", "&View"}, {"mnuTools", "&Tools"}, {"mnuHelp", "&Help"}};
  for (auto [name, caption] : menus) EXPECT_EQ(find<QMenu>(name)->title(), caption) << name;
  const std::pair<const char*, const char*> entries[] = {
      {"mnuFileInput", "&Input File ..."},
      {"mnuFileOutput", "&Output File ..."},
      {"mnuFileProperties", "Propert&ies"},
      {"mnuConvert", "Convert"},
      {"mnuFileExit", "E&xit"},
      {"mnuViewToolbar", "&Toolbar"},
      {"mnuViewStatusBar", "Status &Bar"},
      {"mnuViewRefresh", "&Refresh"},
      {"mnuViewOptions", "&Options..."},
      {"mnuToolsOptions", "&Options..."},
      {"mnuHelpContents", "&Contents"},
      {"mnuHelpSearchForHelpOn", "&Search For Help On..."},
      {"mnuHelpAbout", "&About "}};
  for (auto [name, caption] : entries) EXPECT_EQ(entry(name)->text(), caption) << name;

  QStringList tips;
  for (QAction* button : find<QToolBar>("tbToolBar")->actions()) tips << button->toolTip();
  EXPECT_EQ(tips, (QStringList{"Open", "Save", "Convert"}));

  EXPECT_EQ(find<QLabel>("lblStatus")->text(), "*** (No blank input fields) ***");
  EXPECT_EQ(caption("lblInput"), "Input file:");
  for (auto option : {option_of("hfanoise"), option_of("hfcnoise"), option_of("soundplan"),
                      option_of("roadnoise"), option_of("tnia")})
    EXPECT_FALSE(window->option_selected(option));
  for (auto name : {"WithLayBar_chk", "WithLayBar_lbl", "WithLayBar_txt", "WithLayBar_cmd"})
    EXPECT_FALSE(window->enabled(name)) << name;
  EXPECT_EQ(window->text(control::Status), "");
  EXPECT_EQ(window->text(control::DialogFileName), "");
  EXPECT_EQ(window->progress(), 0.0f);
}

TEST_F(MainWindowTest, ConvertIsOfferedOnlyWhenEveryFieldHoldsMoreThanBlanksAndAFormatIsChosen) {
  fill_job("in.dat", "out.txt");
  EXPECT_FALSE(convert_ready()) << "no format chosen yet";
  click(option_of("soundplan"));
  type(control::Coordinate, "HK1980 Grid");
  EXPECT_TRUE(convert_ready());

  for (auto field : {control::InputPath, control::OutputPath, control::Consultant, control::Phone,
                     control::Fax, control::Email, control::Coordinate, control::YearTrafficFlow}) {
    const QString kept = shown(field);
    type(field, "   ");
    EXPECT_FALSE(convert_ready()) << field << " holds only blanks";
    type(field, kept);
    EXPECT_TRUE(convert_ready()) << field;
  }
}

TEST_F(MainWindowTest, LayoutBarrierSwitchHoldsBackHFANoiseUntilItsFileIsNamed) {
  fill_job("in.dat", "out.txt");
  click(option_of("hfanoise"));
  EXPECT_TRUE(convert_ready());

  click(control::LayoutBarrierSwitch);
  EXPECT_EQ(window->check_value(control::LayoutBarrierSwitch), 1);
  EXPECT_TRUE(window->enabled(control::LayoutBarrierFile));
  EXPECT_TRUE(window->enabled(control::LayoutBarrierBrowse));
  EXPECT_FALSE(convert_ready());
  type(control::LayoutBarrierFile, "  ");
  EXPECT_FALSE(convert_ready());
  type(control::LayoutBarrierFile, "lay.txt");
  EXPECT_TRUE(convert_ready());

  click(control::LayoutBarrierSwitch);
  EXPECT_EQ(shown(control::LayoutBarrierFile), "") << "unchecking clears the file";
  EXPECT_FALSE(window->enabled(control::LayoutBarrierFile));
  EXPECT_FALSE(window->enabled(control::LayoutBarrierBrowse));
  EXPECT_TRUE(convert_ready());
}

TEST_F(MainWindowTest, EachFormatSetsItsInputLabelAndOnlyHFCNoiseFillsTheCoordinateSystem) {
  struct Expected {
    std::string_view option;
    const char* label;
    const char* coordinate;
  };
  const Expected formats[] = {{option_of("hfcnoise"), "Input file:", "HK1980 Grid"},
                              {option_of("roadnoise"), "Master file:", ""},
                              {option_of("hfcnoise"), "Input file:", "HK1980 Grid"},
                              {option_of("tnia"), "MS Excel file:", ""},
                              {option_of("hfcnoise"), "Input file:", "HK1980 Grid"},
                              {option_of("soundplan"), "Input file:", ""},
                              {option_of("hfcnoise"), "Input file:", "HK1980 Grid"},
                              {option_of("hfanoise"), "Input file:", ""}};
  fill_job("in.dat", "out.txt");
  type(control::Coordinate, "");
  for (const auto& format : formats) {
    click(format.option);
    EXPECT_TRUE(window->option_selected(format.option));
    EXPECT_EQ(caption("lblInput"), format.label) << format.option;
    EXPECT_EQ(shown(control::Coordinate), format.coordinate) << format.option;
    EXPECT_EQ(convert_ready(), *format.coordinate != '\0') << format.option;
  }
}

TEST_F(MainWindowTest, ChoosingAFormatKeepsACoordinateSystemTheUserTyped) {
  click(option_of("hfcnoise"));
  type(control::Coordinate, "HK1980 Grid (PD)");
  click(option_of("roadnoise"));
  EXPECT_EQ(shown(control::Coordinate), "HK1980 Grid (PD)");
  click(option_of("hfcnoise"));
  EXPECT_EQ(shown(control::Coordinate), "HK1980 Grid (PD)") << "no default over the user's text";

  type(control::Coordinate, "");
  click(option_of("tnia"));
  click(option_of("hfcnoise"));
  EXPECT_EQ(shown(control::Coordinate), "HK1980 Grid") << "an empty box takes the default";
  type(control::Coordinate, "HK1980 Grid");
  click(option_of("soundplan"));
  EXPECT_EQ(shown(control::Coordinate), "HK1980 Grid") << "typed over, it is the user's text";
}

TEST_F(MainWindowTest, OnlyHFANoiseOffersTheLayoutBarrierSwitch) {
  click(option_of("hfanoise"));
  EXPECT_TRUE(window->enabled(control::LayoutBarrierSwitch));
  EXPECT_TRUE(window->enabled("WithLayBar_lbl"));
  EXPECT_EQ(window->check_value(control::LayoutBarrierSwitch), 0);
  click(control::LayoutBarrierSwitch);
  type(control::LayoutBarrierFile, "lay.txt");

  click(option_of("roadnoise"));
  EXPECT_EQ(window->check_value(control::LayoutBarrierSwitch), 0);
  EXPECT_EQ(shown(control::LayoutBarrierFile), "");
  for (auto name : {"WithLayBar_chk", "WithLayBar_lbl", "WithLayBar_txt", "WithLayBar_cmd"})
    EXPECT_FALSE(window->enabled(name)) << name;
}

TEST_F(MainWindowTest, JobDetailsAreWindows1252TextsAndFileSystemPaths) {
  box(control::Consultant)->setText(QString::fromUtf8("Caf\u00e9 \u00d8rsted \u20ac"));
  EXPECT_EQ(window->text(control::Consultant), "Caf\xe9 \xd8rsted \x80");
  box(control::InputPath)->setText(QString::fromUtf8("/data/caf\u00e9/m.dat"));
  EXPECT_EQ(window->text(control::InputPath), "/data/caf\xc3\xa9/m.dat");

  window->set_text(control::Email, "r\xe9sum\xe9@example.com");
  EXPECT_EQ(shown(control::Email), QString::fromUtf8("r\u00e9sum\u00e9@example.com"));
  window->set_text(control::LayoutBarrierFile, "/data/caf\xc3\xa9/lay.txt");
  EXPECT_EQ(shown(control::LayoutBarrierFile), QString::fromUtf8("/data/caf\u00e9/lay.txt"));
  window->set_status("Processing... (Road)");
  EXPECT_EQ(window->text(control::Status), "Processing... (Road)");
  EXPECT_THROW(window->text("txtNoSuchBox"), std::logic_error);
}

TEST_F(MainWindowTest, ProgressKeepsTheFractionsOfSmallStepsWithinZeroToHundred) {
  auto* bar = find<QProgressBar>(control::Progress);
  window->set_progress(0);
  for (int i = 0; i < 7; ++i) window->advance_progress(100.0 / 300.0);
  EXPECT_NEAR(window->progress(), 7.0 / 3.0, 1e-4);
  EXPECT_EQ(bar->value(), 2);
  window->set_progress(250);
  EXPECT_EQ(window->progress(), 100.0f);
  window->set_progress(-1);
  EXPECT_EQ(window->progress(), 0.0f);
}

TEST_F(MainWindowTest, ChangesByAConverterRunTheReactionsButNotTheReadinessCheck) {
  fill_job("in.dat", "out.txt");
  click(option_of("soundplan"));
  window->command().DisableControls();
  auto* convert = find<QPushButton>("cmdConvert2KALVOR");
  EXPECT_FALSE(convert->isEnabled());

  window->set_check_value(control::LayoutBarrierSwitch, 1);
  EXPECT_TRUE(window->enabled(control::LayoutBarrierFile)) << "the switch's reaction ran";
  window->set_text(control::LayoutBarrierFile, "SP2HFA_laybarr.txt");
  window->set_text(control::Coordinate, "HK1980 Grid");
  EXPECT_FALSE(convert->isEnabled()) << "no readiness check while converting";
  window->set_check_value(control::LayoutBarrierSwitch, 0);
  EXPECT_EQ(shown(control::LayoutBarrierFile), "");

  window->command().EnableControls();
  EXPECT_TRUE(convert->isEnabled());
  EXPECT_FALSE(window->enabled(control::LayoutBarrierSwitch)) << "SoundPLAN has no switch";
}

TEST_F(MainWindowTest, ADisabledWindowIgnoresTheUserButKeepsShowingProgress) {
  window->set_window_enabled(false);
  QTest::mouseClick(find<QLabel>("picLogo"), Qt::LeftButton);
  EXPECT_TRUE(answers.messages.empty());
  type(control::Consultant, "typed while converting");
  EXPECT_EQ(shown(control::Consultant), "");
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  window->set_progress(40);
  EXPECT_EQ(find<QProgressBar>(control::Progress)->value(), 40);

  window->set_window_enabled(true);
  QTest::mouseClick(find<QLabel>("picLogo"), Qt::LeftButton);
  ASSERT_EQ(answers.messages.size(), 1u);
}

TEST_F(MainWindowTest, TabStartsAtTheFormatChoiceAndEveryLabelHasAnAltShortcutToItsBox) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  find<QPushButton>("cmdExit")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_NE(qobject_cast<QRadioButton*>(QApplication::focusWidget()), nullptr)
      << "after the last control comes the format choice";

  click(option_of("hfanoise"));
  click(control::LayoutBarrierSwitch);
  QSet<QChar> keys = {'f', 'v', 't', 'h', 'c', 'x'};  // menus and buttons
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (label->buddy() == nullptr || label->window() != window.get()) continue;
    const QString text = label->text();
    const qsizetype mark = text.indexOf('&');
    ASSERT_GE(mark, 0) << label->objectName().toStdString() << " has no shortcut";
    const QChar key = text[mark + 1].toLower();
    EXPECT_FALSE(keys.contains(key)) << "Alt+" << key.toLatin1() << " twice";
    keys.insert(key);
    QTest::keyClick(window.get(), key.toLatin1(), Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), label->buddy()) << label->objectName().toStdString();
  }
  EXPECT_EQ(keys.size(), 6 + 9);
}

TEST_F(MainWindowTest, EnterInAFieldConvertsOnlyWhenTheJobIsReady) {
  fill_job("missing.dat", "out.txt");
  QTest::keyClick(box(control::Email), Qt::Key_Return);
  EXPECT_TRUE(answers.messages.empty()) << "no format chosen: nothing happens";
  click(option_of("hfcnoise"));
  QTest::keyClick(box(control::Email), Qt::Key_Return);
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_TRUE(answers.messages[0].text.contains("missing.dat")) << "it converted, and failed";
}

TEST_F(MainWindowTest, ExtraHeightGoesToNoControlAndExtraWidthWidensTheBoxes) {
  window->resize(640, 480);
  QTest::qWait(20);
  auto place = [this](std::string_view name) { return box(name)->geometry(); };
  const QRect input = place(control::InputPath), email = place(control::Email);
  const QRect convert = find<QPushButton>("cmdConvert2KALVOR")->geometry();

  window->resize(640, 900);
  QTest::qWait(20);
  EXPECT_EQ(place(control::InputPath), input);
  EXPECT_EQ(place(control::Email), email);
  EXPECT_EQ(find<QPushButton>("cmdConvert2KALVOR")->geometry(), convert);

  window->resize(1000, 480);
  QTest::qWait(20);
  EXPECT_GT(place(control::InputPath).width(), input.width() + 300);
  EXPECT_GT(place(control::Email).width(), email.width() + 300);
  EXPECT_EQ(place(control::Email).height(), email.height());
}

class PlacementTest : public WindowTest {
 protected:
  PlacementTest() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch_.path());
  }
  QString saved(const char* key) const {
    QSettings settings(kSettingsOrganisation, kProgramTitle);
    return settings.value(QStringLiteral("Settings/") + key).toString();
  }
  QTemporaryDir scratch_;
};

TEST_F(PlacementTest, ClosingSavesThePlacementAsTextsOfNumbers) {
  window->setGeometry(120, 90, 700, 560);
  const QRect frame = window->frameGeometry();
  EXPECT_TRUE(window->close());
  EXPECT_EQ(saved("MainLeft"), QString::number(frame.x()));
  EXPECT_EQ(saved("MainTop"), QString::number(frame.y()));
  EXPECT_EQ(saved("MainWidth"), QString::number(frame.width()));
  EXPECT_EQ(saved("MainHeight"), QString::number(frame.height()));
}

TEST_F(PlacementTest, ClosingWhileMinimisedSavesNoPlacement) {
  window->showMinimized();
  EXPECT_TRUE(window->close());
  for (auto key : {"MainLeft", "MainTop", "MainWidth", "MainHeight"})
    EXPECT_EQ(saved(key), "") << key;
}

TEST_F(MainWindowTest, ClosingClosesTheOtherWindowsAndExitEndsTheWindow) {
  QWidget other;
  other.show();
  click("cmdExit");
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(other.isVisible());
}

TEST_F(MainWindowTest, FileExitClosesTheWindow) {
  entry("mnuFileExit")->trigger();
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace kalvor::test
