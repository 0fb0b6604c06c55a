#include "window_fixture.h"

#include <QSettings>
#include <QTest>

#include "window/program.h"

namespace kalvor::test {

namespace {

// Each test starts as on a first run, with nothing remembered.
std::unique_ptr<frmMain> fresh_window() {
  QSettings(kSettingsOrganisation, kProgramTitle).clear();
  return std::make_unique<frmMain>();
}

}  // namespace

WindowTest::WindowTest() : window(fresh_window()) {
  window->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

WindowTest::~WindowTest() {
  window->set_window_enabled(true);
  window->close();
}

QString WindowTest::caption(std::string_view label) const {
  return find<QLabel>(label)->text().remove(QLatin1Char('&'));
}

void WindowTest::click(std::string_view name) const {
  auto* button = find<QAbstractButton>(name);
  QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void WindowTest::type(std::string_view name, const QString& text) const {
  QLineEdit* edit = box(name);
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

void WindowTest::fill_job(const QString& input, const QString& output) const {
  type(control::InputPath, input);
  type(control::OutputPath, output);
  type(control::Consultant, QStringLiteral("Acme Acoustics Ltd"));
  type(control::Phone, QStringLiteral("2345 6789"));
  type(control::Fax, QStringLiteral("2345 6790"));
  type(control::Email, QStringLiteral("noise@acme.example"));
  type(control::Coordinate, QStringLiteral("HK1980 Grid"));
  type(control::YearTrafficFlow, QStringLiteral("2031"));
}

void WindowTest::pick_with(std::string_view browse_button, const std::string& path) {
  answers.then([path](QDialog& modal) {
    modal.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(path));
    modal.accept();
  });
  click(browse_button);
}

bool WindowTest::convert_ready() const {
  bool button = find<QPushButton>("cmdConvert2KALVOR")->isEnabled();
  bool menu = entry("mnuConvert")->isEnabled();
  EXPECT_EQ(button, menu) << "the Convert button and menu entry disagree";
  return button && menu;
}

}  // namespace kalvor::test
