#include "cli_window.h"

#include <cstdio>

#include "platform/files.h"

namespace kalvor::cli {

CliWindow::CliWindow(bool show_progress) : show_progress_(show_progress) {}

std::string CliWindow::text(std::string_view control) const {
  auto it = texts_.find(control);
  return it == texts_.end() ? std::string() : it->second;
}

void CliWindow::set_text(std::string_view control, const std::string& value) {
  texts_[std::string(control)] = value;
  if (control == control::Status) draw_progress();
}

int CliWindow::check_value(std::string_view) const {
  return layout_switch_;
}

void CliWindow::set_check_value(std::string_view, int value) {
  if (value == layout_switch_) return;
  layout_switch_ = value;
  // The switch's reaction: unchecking clears the file and locks its controls.
  bool on = value != 0;
  if (!on) texts_[std::string(control::LayoutBarrierFile)] = "";
  enabled_[std::string(control::LayoutBarrierFile)] = on;
  enabled_[std::string(control::LayoutBarrierBrowse)] = on;
}

bool CliWindow::enabled(std::string_view control) const {
  auto it = enabled_.find(control);
  return it == enabled_.end() || it->second;
}

void CliWindow::set_enabled(std::string_view control, bool enabled) {
  enabled_[std::string(control)] = enabled;
}

void CliWindow::set_progress(float value) {
  progress_ = value;
  draw_progress();
}

void CliWindow::refresh() {
  draw_progress();
}

void CliWindow::draw_progress() {
  if (!show_progress_) return;
  int percent = static_cast<int>(progress_ + 0.5f);
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
                                     MessageButtons buttons, const std::string&) {
  // "Done" is the command's own closing box: success is the exit status.
  if (!(text == "Done" && icon == MessageIcon::Information)) {
    finish_progress();
    std::fprintf(stderr, "kalvor-convert: %s\n", platform::windows1252_to_utf8(text).c_str());
  }
  return buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
}

}  // namespace kalvor::cli
