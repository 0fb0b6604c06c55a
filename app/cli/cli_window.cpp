#include "cli_window.h"

#include <cstdio>

#include "platform/files.h"

namespace kalvor::cli {

namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

CliWindow::CliWindow(Mode mode) : mode_(mode) {}

void CliWindow::set_text(std::string_view control, const std::string& value) {
  MemoryJob::set_text(control, value);
  if (control != control::Status) return;
  if (mode_ == Mode::Phases) status_changed(value);
  draw_progress();
}

void CliWindow::set_progress(float value) {
  MemoryJob::set_progress(value);
  draw_progress();
}

void CliWindow::refresh() {
  draw_progress();
}

void CliWindow::status_changed(const std::string& status) {
  if (status.empty() || status == phase_) return;
  print_phase_end();
  phase_ = status;
  phase_started_ = Clock::now();
}

void CliWindow::print_phase_end() {
  if (phase_.empty()) return;
  std::fprintf(stderr, "kalvor-convert: %8.3f s  %s\n", seconds_since(phase_started_),
               platform::windows1252_to_utf8(phase_).c_str());
  phase_.clear();
}

void CliWindow::draw_progress() {
  if (mode_ != Mode::ProgressLine) return;
  int percent = static_cast<int>(progress() + 0.5f);
  std::string status = platform::windows1252_to_utf8(text(control::Status));
  if (percent == last_drawn_percent_ && status == last_drawn_status_) return;
  last_drawn_status_ = status;
  std::fprintf(stderr, "\r\033[K%s %3d%%", status.c_str(), percent);
  std::fflush(stderr);
  progress_shown_ = true;
  last_drawn_percent_ = percent;
}

void CliWindow::finish_progress() {
  if (mode_ == Mode::Phases) {
    print_phase_end();
    std::fprintf(stderr, "kalvor-convert: %8.3f s  in all\n", seconds_since(started_));
  }
  if (!progress_shown_) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  progress_shown_ = false;
}

MessageResult CliWindow::message_box(const std::string& text, MessageIcon icon,
                                     MessageButtons buttons, const std::string& title) {
  if (progress_shown_) {
    std::fprintf(stderr, "\r\033[K");
    progress_shown_ = false;
  }
  std::fprintf(stderr, "kalvor-convert: %s\n", platform::message_to_utf8(text).c_str());
  return MemoryJob::message_box(text, icon, buttons, title);
}

void CliWindow::conversion_finished(const ConversionOutcome& outcome, const std::string& title) {
  if (!outcome.succeeded) MemoryJob::conversion_finished(outcome, title);
}

}  // namespace kalvor::cli
