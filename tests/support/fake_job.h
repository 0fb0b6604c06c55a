// A stand-in for the main window: the in-memory job, recording every message
// box (answered with OK), status text and progress value.
#pragma once

#include <string>
#include <vector>

#include "job/memory_job.h"

namespace kalvor::test {

struct RecordedMessage {
  std::string text;
  MessageIcon icon;
  MessageButtons buttons;
  std::string title;
};

// The option control name of the format with that --format name.
std::string_view option_of(std::string_view cli_name);

class FakeJob : public MemoryJob {
 public:
  void set_text(std::string_view control, const std::string& value) override;
  void set_progress(float value) override;
  void refresh() override { ++refreshes; }
  MessageResult message_box(const std::string& text, MessageIcon icon, MessageButtons buttons,
                            const std::string& title) override;

  // Selects the option button of the format with that --format name.
  void select_format(std::string_view cli_name);

  int refreshes = 0;
  int events_processed = 0;
  std::vector<RecordedMessage> messages;
  std::vector<std::string> statuses;   // every status text set, in order
  std::vector<float> progress_values;  // every progress value set, in order

 protected:
  void process_pending_events() override { ++events_processed; }
};

}  // namespace kalvor::test
