#include "cli_window.h"

#include <cstdio>

#include "platform/files.h"

namespace kalvor::cli {

CliWindow::CliWindow(bool show_progress) : show_progress_(show_progress) {}

void CliWindow::set_text(std::string_view control, const std::string& value) {
  MemoryJob::set_text(control, value);
  if (control == control::Status) draw_progress();
}

void CliWindow::set_progress(float value) {
  MemoryJob::set_progress(value);
  draw_progress();
}

void CliWindow::refresh() {
  draw_progress();
}

void CliWindow::draw_progress() {
  if (!show_progress_) return;
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
  if (!progress_shown_) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  progress_shown_ = false;
}

MessageResult CliWindow::message_box(const std::string& text, MessageIcon icon,
                                     MessageButtons buttons, const std::string& title) {
  finish_progress();
  std::fprintf(stderr, "kalvor-convert: %s\n", platform::windows1252_to_utf8(text).c_str());
  return MemoryJob::message_box(text, icon, buttons, title);
}

void CliWindow::conversion_finished(const ConversionOutcome& outcome, const std::string& title) {
  if (!outcome.succeeded) MemoryJob::conversion_finished(outcome, title);
}

}  // namespace kalvor::cli
