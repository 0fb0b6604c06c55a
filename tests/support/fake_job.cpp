#include "fake_job.h"

#include <stdexcept>

namespace kalvor::test {

FakeJob::FakeJob() {
  for (auto name :
       {control::InputPath, control::OutputPath, control::DialogFileName, control::Consultant,
        control::Phone, control::Fax, control::Email, control::Coordinate, control::YearTrafficFlow,
        control::LayoutBarrierFile, control::Status}) {
    texts_[std::string(name)] = "";
  }
  checks_[std::string(control::LayoutBarrierSwitch)] = 0;
}

std::string FakeJob::text(std::string_view control) const {
  auto it = texts_.find(control);
  if (it == texts_.end()) throw std::logic_error("unknown control " + std::string(control));
  return it->second;
}

void FakeJob::set_text(std::string_view control, const std::string& value) {
  auto it = texts_.find(control);
  if (it == texts_.end()) throw std::logic_error("unknown control " + std::string(control));
  it->second = value;
  if (control == control::Status) statuses.push_back(value);
}

int FakeJob::check_value(std::string_view control) const {
  auto it = checks_.find(control);
  if (it == checks_.end()) throw std::logic_error("unknown control " + std::string(control));
  return it->second;
}

void FakeJob::set_check_value(std::string_view control, int value) {
  auto it = checks_.find(control);
  if (it == checks_.end()) throw std::logic_error("unknown control " + std::string(control));
  if (it->second == value) return;
  it->second = value;
  // The switch's click reaction, as the window runs it.
  bool on = value != 0;
  if (!on) texts_[std::string(control::LayoutBarrierFile)] = "";
  enabled_[std::string(control::LayoutBarrierBrowse)] = on;
  enabled_[std::string(control::LayoutBarrierFile)] = on;
}

bool FakeJob::enabled(std::string_view control) const {
  auto it = enabled_.find(control);
  return it == enabled_.end() ? true : it->second;
}

void FakeJob::set_enabled(std::string_view control, bool enabled) {
  enabled_[std::string(control)] = enabled;
}

void FakeJob::set_progress(float value) {
  progress_ = value;
  progress_values.push_back(value);
}

MessageResult FakeJob::message_box(const std::string& text, MessageIcon icon,
                                   MessageButtons buttons, const std::string& title) {
  messages.push_back({text, icon, buttons, title});
  return buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
}

bool FakeJob::option_selected(std::string_view option) const {
  return selected_option == option;
}

void FakeJob::fill_project_details() {
  set_text(control::Consultant, "Acme Acoustics Ltd");
  set_text(control::Phone, "2345 6789");
  set_text(control::Fax, "2345 6790");
  set_text(control::Email, "noise@acme.example");
  set_text(control::Coordinate, "HK1980 Grid");
  set_text(control::YearTrafficFlow, "2031");
}

}  // namespace kalvor::test
