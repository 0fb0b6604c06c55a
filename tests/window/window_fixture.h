// A fresh main window per test, with helpers to act on it by control name
// as a user would.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "fake_job.h"
#include "modal_answerer.h"
#include "window/frm_main.h"

// Shows texts of the window as text in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace kalvor::test {

class WindowTest : public ::testing::Test {
 protected:
  WindowTest();
  ~WindowTest() override;

  template <typename Control>
  Control* find(std::string_view name) const {
    auto* control = window->findChild<Control*>(QString::fromUtf8(name.data(), name.size()));
    EXPECT_NE(control, nullptr) << "no control " << name;
    return control;
  }
  QLineEdit* box(std::string_view name) const { return find<QLineEdit>(name); }
  QAction* entry(std::string_view name) const { return find<QAction>(name); }
  QString shown(std::string_view name) const { return box(name)->text(); }
  // A label's caption as it reads, without the mark of its Alt shortcut.
  QString caption(std::string_view label) const;

  // Clicks a button, option or check box with the mouse.
  void click(std::string_view name) const;
  // Replaces a text box's contents by typing.
  void type(std::string_view name, const QString& text) const;
  // Fills the project details (the coordinate system too) and both paths.
  void fill_job(const QString& input, const QString& output) const;
  bool convert_ready() const;
  // Clicks a browse button and picks `path` in its dialog.
  void pick_with(std::string_view browse_button, const std::string& path);

  std::unique_ptr<frmMain> window;
  ModalAnswerer answers;
};

}  // namespace kalvor::test
