// Job details held in memory, with the window's own reactions: for the
// command line, the tests and the fuzz targets.
//
// Rule for control names: the job holds the window's text boxes, the dialog
// file name, the status text and the layout-barrier switch; reading or
// writing the value of any other name is a logic error (std::logic_error), as
// it is in the window. Every control has an enabled state (enabled until set
// otherwise). Message boxes are answered OK (Yes for a question) and shown
// nowhere; events have nothing to process. Derived classes record or print.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "job/main_window.h"

namespace kalvor {

class MemoryJob : public MainWindow {
 public:
  MemoryJob();

  std::string text(std::string_view control) const override;
  void set_text(std::string_view control, const std::string& value) override;
  int check_value(std::string_view control) const override;
  // The switch's click reaction runs when the value changes.
  void set_check_value(std::string_view control, int value) override;
  bool enabled(std::string_view control) const override;
  void set_enabled(std::string_view control, bool enabled) override;
  float progress() const override { return progress_; }
  void set_progress(float value) override { progress_ = value; }
  void refresh() override {}
  MessageResult message_box(const std::string& text, MessageIcon icon, MessageButtons buttons,
                            const std::string& title) override;

  bool option_selected(std::string_view option) const override { return option == option_; }
  void set_window_enabled(bool enabled) override { window_enabled_ = enabled; }
  bool window_enabled() const { return window_enabled_; }

  // Selects the format option of that control name (one at a time).
  void select(std::string_view option) { option_ = std::string(option); }
  const std::string& selected_option() const { return option_; }

  // Fills every project detail with a plausible value; the caller sets the
  // paths.
  void fill_project_details();

 protected:
  void process_pending_events() override {}

 private:
  std::string& value_of(std::string_view control);

  std::map<std::string, std::string, std::less<>> texts_;
  std::map<std::string, bool, std::less<>> enabled_;
  int layout_switch_ = 0;
  float progress_ = 0;
  std::string option_;
  bool window_enabled_ = true;
};

}  // namespace kalvor
