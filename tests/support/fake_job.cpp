#include "fake_job.h"

#include <stdexcept>

#include "formats/input_formats.h"

namespace kalvor::test {

void FakeJob::set_text(std::string_view control, const std::string& value) {
  MemoryJob::set_text(control, value);
  if (control == control::Status) statuses.push_back(value);
}

void FakeJob::set_progress(float value) {
  MemoryJob::set_progress(value);
  progress_values.push_back(value);
}

MessageResult FakeJob::message_box(const std::string& text, MessageIcon icon,
                                   MessageButtons buttons, const std::string& title) {
  messages.push_back({text, icon, buttons, title});
  return MemoryJob::message_box(text, icon, buttons, title);
}

std::string_view option_of(std::string_view cli_name) {
  const InputFormat* format = format_named(cli_name);
  if (format == nullptr) throw std::logic_error("no format " + std::string(cli_name));
  return format->option;
}

void FakeJob::select_format(std::string_view cli_name) {
  select(option_of(cli_name));
}

}  // namespace kalvor::test
