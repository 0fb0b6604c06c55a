// A stand-in for the main window: job details held in memory, message boxes
// recorded (and answered with OK), progress values recorded.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "command/convert_command.h"

namespace kalvor::test {

struct RecordedMessage {
  std::string text;
  MessageIcon icon;
  MessageButtons buttons;
  std::string title;
};

class FakeJob : public MainWindow {
 public:
  FakeJob();

  std::string text(std::string_view control) const override;
  void set_text(std::string_view control, const std::string& value) override;
  int check_value(std::string_view control) const override;
  void set_check_value(std::string_view control, int value) override;
  bool enabled(std::string_view control) const override;
  void set_enabled(std::string_view control, bool enabled) override;
  float progress() const override { return progress_; }
  void set_progress(float value) override;
  void refresh() override { ++refreshes; }
  void process_events() override { ++events_processed; }
  MessageResult message_box(const std::string& text, MessageIcon icon, MessageButtons buttons,
                            const std::string& title) override;

  bool option_selected(std::string_view option) const override;
  void set_window_enabled(bool enabled) override { window_enabled = enabled; }

  // Fills every job detail with a plausible value; the caller sets the paths.
  void fill_project_details();
  void select(std::string_view option) { selected_option = std::string(option); }

  std::string selected_option;
  bool window_enabled = true;
  int refreshes = 0;
  int events_processed = 0;
  std::vector<RecordedMessage> messages;
  std::vector<std::string> statuses;   // every status text set, in order
  std::vector<float> progress_values;  // every progress value set, in order

 private:
  std::map<std::string, std::string, std::less<>> texts_;
  std::map<std::string, int, std::less<>> checks_;
  std::map<std::string, bool, std::less<>> enabled_;
  float progress_ = 0;
};

}  // namespace kalvor::test
