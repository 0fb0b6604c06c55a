// What every fuzz target needs: job details held in memory, a scratch folder
// for the files a fuzz input becomes, and a conversion run that accepts a
// clear failure but nothing else.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "job/job_details.h"

namespace kalvor::fuzz {

// Job details with every project detail filled in; events and messages go
// nowhere. A progress value outside 0 to 100 is a fault and stops the run.
class FuzzJob : public JobDetails {
 public:
  FuzzJob(const std::string& input, const std::string& output,
          const std::string& layout_barriers = "");

  std::string text(std::string_view control) const override;
  void set_text(std::string_view control, const std::string& value) override;
  int check_value(std::string_view) const override { return layout_switch_; }
  void set_check_value(std::string_view, int value) override { layout_switch_ = value; }
  bool enabled(std::string_view) const override { return true; }
  void set_enabled(std::string_view, bool) override {}
  float progress() const override { return progress_; }
  void set_progress(float value) override;
  void refresh() override {}
  void process_events() override {}
  MessageResult message_box(const std::string&, MessageIcon, MessageButtons,
                            const std::string&) override {
    return MessageResult::Ok;
  }

 private:
  std::map<std::string, std::string, std::less<>> texts_;
  int layout_switch_ = 0;
  float progress_ = 0;
};

// A folder of this process (named after `target`) for the fuzz input's files.
const std::filesystem::path& scratch_dir(const char* target);

void write_file(const std::filesystem::path& path, std::string_view bytes);
std::string_view as_text(const std::uint8_t* data, std::size_t size);

// Empties a folder, as a conversion that failed part-way may leave files.
void clear_dir(const std::filesystem::path& dir);

// Runs a conversion. A ConversionError or a library error is a fine end for
// damaged input; anything else escapes and is reported by the fuzzer. Every
// channel is closed afterwards, as the convert command does.
void convert_guarded(const std::function<void()>& convert);

}  // namespace kalvor::fuzz
