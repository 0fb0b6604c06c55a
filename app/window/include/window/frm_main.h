// The main window: collects the job details, offers the five input formats
// and their files, and lets the convert command run a conversion through it.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>
#include <memory>
#include <string>
#include <string_view>

#include "command/convert_command.h"

class QCheckBox;
class QFileDialog;
class QMimeData;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace kalvor {

namespace plan {
class PlanWindow;
}

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
  // Success reads the new report back for its summary and shows "Done"; a
  // cancelled conversion shows no box, only its status once the window is
  // handed back.
  void conversion_finished(const ConversionOutcome& outcome, const std::string& title) override;
  // A disabled window ignores the user's mouse and keyboard and cannot be
  // closed, while its progress bar and status text stay legible.
  void set_window_enabled(bool enabled) override;
  bool window_enabled() const { return window_enabled_; }

  const std::string& WindowTitle() const { return command_->WindowTitle(); }
  ConvertCommand& command() { return *command_; }

  // What the Convert button, its menu entry and Enter in a field run: trims
  // the paths, asks about characters the report cannot hold, dates the
  // report by the input file and runs the convert command. While a
  // conversion runs, the same button is Cancel.
  void Convert();
  bool converting() const { return converting_; }
  // Asks a running conversion to stop at its next event-processing point.
  void CancelConversion();

  // A file dropped on the window: it becomes the input file, and its name
  // picks the format where it tells one. Answers whether it was taken.
  bool drop_input_file(const QMimeData& data);

  // The plan window of the report just written (View > Plan > Show Plan and
  // the Show Plan button), and of any report on disk (Open report...).
  void ShowPlan();
  void OpenReportPlan();
  // The plan window, once it was opened.
  plan::PlanWindow* plan_window() const { return plan_window_; }

  // The user guide that Help > Contents opens.
  void set_help_file(const QString& path) { help_file_ = path; }
  const QString& help_file() const { return help_file_; }

 protected:
  void process_pending_events() override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void build_menus();
  void build_toolbar();
  QWidget* build_file_rows();
  QWidget* build_format_frame();
  QWidget* build_info_frame();
  QWidget* build_command_row();
  void build_status_area();
  void connect_reactions();
  void set_tab_order();
  void Form_Load();
  void RestoreSettings();
  void SaveSettings() const;

  void build_plan_menu(QMenu* view);
  void show_plan_of(const QString& report);
  void offer_plan_of(const QString& report);
  void trim_path_boxes();
  bool confirm_unheld_characters();
  void show_cancel(bool shown);
  bool ask_to_cancel_on_close();
  bool filter_user_input(QObject* watched, QEvent* event);
  bool handle_path_box_drop(QLineEdit& box, QEvent* event);
  bool is_path_box(const QObject* object) const;

  void choose_format(const InputFormat& format);
  void set_input_label(std::string_view caption);
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
  void select_format(const InputFormat& format);
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
  QPushButton* cmdConvert2KALVOR_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  QPushButton* cmdShowPlan_ = nullptr;
  QAction* mnuViewPlanShow_ = nullptr;
  plan::PlanWindow* plan_window_ = nullptr;
  // The report the last conversion wrote and its summary; empty after a
  // conversion that wrote none.
  QString last_report_;
  QString last_summary_;
  QFileDialog* openInputDialog_ = nullptr;
  QFileDialog* saveOutputDialog_ = nullptr;
  QString dialog_file_name_;
  // The folders last browsed, for the input (and layout-barrier) file and
  // for the report; empty until the user browses.
  QString input_folder_;
  QString output_folder_;
  QString help_file_;
  float progress_ = 0;
  bool window_enabled_ = true;
  bool converting_ = false;
  bool close_after_conversion_ = false;
  // Whether the coordinate system holds the default a format filled in (as
  // opposed to a text the user typed, which choosing a format keeps).
  bool coordinate_is_default_ = false;
  // Event processing and repainting during a conversion run at most every
  // kEventInterval milliseconds.
  QElapsedTimer since_events_;
  QElapsedTimer since_repaint_;
};

}  // namespace kalvor
