// The job details of a command-line conversion: values from the arguments,
// message boxes printed to standard error, progress on a terminal line or
// the phases with their times.
#pragma once

#include <chrono>
#include <string>

#include "job/memory_job.h"

namespace kalvor::cli {

class CliWindow : public MemoryJob {
 public:
  enum class Mode {
    Quiet,         // messages only
    ProgressLine,  // a status and percentage line, redrawn in place
    Phases,        // one line per phase (status text) with the time it took
  };
  explicit CliWindow(Mode mode);

  void set_text(std::string_view control, const std::string& value) override;
  void set_progress(float value) override;
  void refresh() override;
  MessageResult message_box(const std::string& text, MessageIcon icon, MessageButtons buttons,
                            const std::string& title) override;
  // Success is the exit status; only a failure is printed.
  void conversion_finished(const ConversionOutcome& outcome, const std::string& title) override;

  // Ends the progress line, or prints the last phase and the total time.
  void finish_progress();

 private:
  using Clock = std::chrono::steady_clock;

  void draw_progress();
  void status_changed(const std::string& status);
  void print_phase_end();

  Mode mode_;
  bool progress_shown_ = false;
  int last_drawn_percent_ = -1;
  std::string last_drawn_status_;
  const Clock::time_point started_ = Clock::now();
  std::string phase_;
  Clock::time_point phase_started_ = started_;
};

}  // namespace kalvor::cli
