// The job details of a command-line conversion: values from the arguments,
// message boxes printed to standard error, progress on a terminal line.
#pragma once

#include <map>
#include <string>

#include "command/convert_command.h"

namespace kalvor::cli {

class CliWindow : public MainWindow {
 public:
  explicit CliWindow(bool show_progress);

  std::string text(std::string_view control) const override;
  void set_text(std::string_view control, const std::string& value) override;
  int check_value(std::string_view control) const override;
  void set_check_value(std::string_view control, int value) override;
  bool enabled(std::string_view control) const override;
  void set_enabled(std::string_view control, bool enabled) override;
  float progress() const override { return progress_; }
  void set_progress(float value) override;
  void refresh() override;
  void process_events() override {}
  MessageResult message_box(const std::string& text, MessageIcon icon, MessageButtons buttons,
                            const std::string& title) override;
  bool option_selected(std::string_view option) const override { return option == option_; }
  void set_window_enabled(bool) override {}

  void select(std::string_view option) { option_ = std::string(option); }
  // Ends the progress line, if one is shown.
  void finish_progress();

 private:
  void draw_progress();

  std::map<std::string, std::string, std::less<>> texts_;
  std::map<std::string, bool, std::less<>> enabled_;
  int layout_switch_ = 0;
  float progress_ = 0;
  std::string option_;
  bool show_progress_;
  bool progress_shown_ = false;
  int last_drawn_percent_ = -1;
  std::string last_drawn_status_;
};

}  // namespace kalvor::cli
