// The main window: collects the job details, offers the five input formats
// and their files, and lets the convert command run a conversion through it.
#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>
#include <string>
#include <string_view>

#include "command/convert_command.h"

class QCheckBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace kalvor {

class frmMain : public QMainWindow, public MainWindow {
  Q_OBJECT

 public:
  explicit frmMain(QWidget* parent = nullptr);
  ~frmMain() override;

  // Job details, reached by control name. Project details are handed over
  // in Windows-1252, paths in the file system's own encoding.
  std::string text(std::string_view control) const override;
  void set_text(std::string_view control, const std::string& value) override;
  int check_value(std::string_view control) const override;
  void set_check_value(std::string_view control, int value) override;
  bool enabled(std::string_view control) const override;
  void set_enabled(std::string_view control, bool enabled) override;
  float progress() const override { return progress_; }
  void set_progress(float value) override;
  void refresh() override;
  MessageResult message_box(const std::string& text, MessageIcon icon, MessageButtons buttons,
                            const std::string& title) override;
  bool option_selected(std::string_view option) const override;
  // A disabled window ignores the user's mouse and keyboard and cannot be
  // closed, while its progress bar and status text stay legible.
  void set_window_enabled(bool enabled) override;
  bool window_enabled() const { return window_enabled_; }

  const std::string& WindowTitle() const { return command_->WindowTitle(); }
  ConvertCommand& command() { return *command_; }

  // The user guide that Help > Contents opens.
  void set_help_file(const QString& path) { help_file_ = path; }
  const QString& help_file() const { return help_file_; }

 protected:
  void process_pending_events() override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build_menus();
  void build_toolbar();
  QWidget* build_file_rows();
  QWidget* build_format_frame();
  QWidget* build_info_frame();
  QWidget* build_command_row();
  void build_status_area();
  void connect_reactions();
  void Form_Load();

  void choose_format(const InputFormat& format);
  void ResetWithLayBar(bool Enabled);
  void WithLayBar_chk_Click();
  void cmdBrowseInput_Click();
  void cmdBrowseOutput_Click();
  void WithLayBar_cmd_Click();
  void picLogo_Click();
  void mnuHelpContents_Click();
  void mnuHelpAbout_Click();
  void cmdExit_Click();
  void close_other_windows();
  void SavePlacement() const;

  QString browse(QFileDialog& dialog, const char* title, const char* filter);
  QLineEdit* text_box(std::string_view control) const;
  QCheckBox* check_box(std::string_view control) const;
  QObject* named_control(std::string_view control) const;
  bool belongs_to_window(const QObject* object) const;

  std::unique_ptr<ConvertCommand> command_;
  QLabel* lblInput_ = nullptr;
  QLineEdit* txtInputFilePath_ = nullptr;
  QLineEdit* txtOutputFilePath_ = nullptr;
  QLineEdit* txtCoordinate_ = nullptr;
  QCheckBox* WithLayBar_chk_ = nullptr;
  QLabel* WithLayBar_lbl_ = nullptr;
  QLineEdit* WithLayBar_txt_ = nullptr;
  QPushButton* WithLayBar_cmd_ = nullptr;
  QLabel* picLogo_ = nullptr;
  QProgressBar* PBarLoading_ = nullptr;
  QLabel* status_panel_ = nullptr;
  QFileDialog* openInputDialog_ = nullptr;
  QFileDialog* saveOutputDialog_ = nullptr;
  QString dialog_file_name_;
  QString help_file_;
  float progress_ = 0;
  bool window_enabled_ = true;
};

}  // namespace kalvor
