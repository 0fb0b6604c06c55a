// The job details of a command-line conversion: values from the arguments,
// message boxes printed to standard error, progress on a terminal line.
#pragma once

#include <string>

#include "job/memory_job.h"

namespace kalvor::cli {

class CliWindow : public MemoryJob {
 public:
  explicit CliWindow(bool show_progress);

  void set_text(std::string_view control, const std::string& value) override;
  void set_progress(float value) override;
  void refresh() override;
  MessageResult message_box(const std::string& text, MessageIcon icon, MessageButtons buttons,
                            const std::string& title) override;
  // Success is the exit status; only a failure is printed.
  void conversion_finished(const ConversionOutcome& outcome, const std::string& title) override;

  // Ends the progress line, if one is shown.
  void finish_progress();

 private:
  void draw_progress();

  bool show_progress_;
  bool progress_shown_ = false;
  int last_drawn_percent_ = -1;
  std::string last_drawn_status_;
};

}  // namespace kalvor::cli
