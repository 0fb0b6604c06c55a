#include "job/memory_job.h"

#include <stdexcept>

namespace kalvor {

namespace {

[[noreturn]] void unknown_control(std::string_view control) {
  throw std::logic_error("the job details hold no value named " + std::string(control));
}

}  // namespace

MemoryJob::MemoryJob() {
  for (auto name :
       {control::InputPath, control::OutputPath, control::DialogFileName, control::Consultant,
        control::Phone, control::Fax, control::Email, control::Coordinate, control::YearTrafficFlow,
        control::LayoutBarrierFile, control::Status})
    texts_[std::string(name)] = "";
}

std::string& MemoryJob::value_of(std::string_view control) {
  auto it = texts_.find(control);
  if (it == texts_.end()) unknown_control(control);
  return it->second;
}

std::string MemoryJob::text(std::string_view control) const {
  auto it = texts_.find(control);
  if (it == texts_.end()) unknown_control(control);
  return it->second;
}

void MemoryJob::set_text(std::string_view control, const std::string& value) {
  value_of(control) = value;
}

int MemoryJob::check_value(std::string_view control) const {
  if (control != control::LayoutBarrierSwitch) unknown_control(control);
  return layout_switch_;
}

void MemoryJob::set_check_value(std::string_view control, int value) {
  if (control != control::LayoutBarrierSwitch) unknown_control(control);
  if (value == layout_switch_) return;
  layout_switch_ = value;
  // The switch's click reaction: checking unlocks the file and its browse
  // button; unchecking clears the file and locks both.
  const bool on = value != 0;
  if (!on) set_text(control::LayoutBarrierFile, "");
  set_enabled(control::LayoutBarrierFile, on);
  set_enabled(control::LayoutBarrierBrowse, on);
}

bool MemoryJob::enabled(std::string_view control) const {
  auto it = enabled_.find(control);
  return it == enabled_.end() || it->second;
}

void MemoryJob::set_enabled(std::string_view control, bool enabled) {
  enabled_[std::string(control)] = enabled;
}

MessageResult MemoryJob::message_box(const std::string&, MessageIcon, MessageButtons buttons,
                                     const std::string&) {
  return buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
}

void MemoryJob::fill_project_details() {
  set_text(control::Consultant, "Acme Acoustics Ltd");
  set_text(control::Phone, "2345 6789");
  set_text(control::Fax, "2345 6790");
  set_text(control::Email, "noise@acme.example");
  set_text(control::Coordinate, "HK1980 Grid");
  set_text(control::YearTrafficFlow, "2031");
}

}  // namespace kalvor
