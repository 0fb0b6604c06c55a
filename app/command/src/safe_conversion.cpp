#include "command/safe_conversion.h"

#include <unistd.h>

#include <filesystem>
#include <set>
#include <vector>

#include "quillan/services.h"
#include "quillan/text.h"
#include "quillan/varnik.h"

namespace fs = std::filesystem;

namespace kalvor {

namespace {

// Do two paths name the same file? Existing files are compared by identity,
// others by their absolute, normalised form.
bool same_file(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec);
  return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

// Remembers what the library opens during a conversion.
class FileLog : public quillan::FileObserver {
 public:
  void opened_for_output(const std::string& path, bool existed) override {
    if (!existed) created.push_back(path);
  }
  void opened_for_input(const std::string& path) override { read.insert(path); }

  std::vector<std::string> created;
  std::set<std::string> read;
};

// Library messages and event processing go to the window during a conversion.
class WindowHost : public quillan::Host {
 public:
  explicit WindowHost(MainWindow& window) : window_(window) {}
  void show_message(const std::string& text, const std::string& title) override {
    window_.message_box(text, MessageIcon::None, MessageButtons::Ok, title);
  }
  void process_events() override { window_.process_events(); }

 private:
  MainWindow& window_;
};

// The window as the converter sees it: everything passes through, except
// that the output path names the temporary report.
class RedirectedJob : public JobDetails {
 public:
  RedirectedJob(MainWindow& window, std::string temporary_report)
      : window_(window), report_(std::move(temporary_report)) {}

  std::string text(std::string_view c) const override {
    return c == control::OutputPath ? report_ : window_.text(c);
  }
  void set_text(std::string_view c, const std::string& value) override {
    if (c == control::OutputPath)
      report_ = value;
    else
      window_.set_text(c, value);
  }
  int check_value(std::string_view c) const override { return window_.check_value(c); }
  void set_check_value(std::string_view c, int v) override { window_.set_check_value(c, v); }
  bool enabled(std::string_view c) const override { return window_.enabled(c); }
  void set_enabled(std::string_view c, bool e) override { window_.set_enabled(c, e); }
  float progress() const override { return window_.progress(); }
  void set_progress(float v) override { window_.set_progress(v); }
  void refresh() override { window_.refresh(); }
  MessageResult message_box(const std::string& text, MessageIcon icon, MessageButtons buttons,
                            const std::string& title) override {
    return window_.message_box(text, icon, buttons, title);
  }

 protected:
  void process_pending_events() override { window_.process_events(); }

 private:
  MainWindow& window_;
  std::string report_;
};

// The job details a converter may change (the SoundPLAN converter points
// them at its intermediate files), to be put back after a failure.
struct ChangeableDetails {
  std::string input_path, layout_file;
  int layout_switch;
  bool layout_file_enabled, layout_browse_enabled;

  explicit ChangeableDetails(const MainWindow& w)
      : input_path(w.text(control::InputPath)),
        layout_file(w.text(control::LayoutBarrierFile)),
        layout_switch(w.check_value(control::LayoutBarrierSwitch)),
        layout_file_enabled(w.enabled(control::LayoutBarrierFile)),
        layout_browse_enabled(w.enabled(control::LayoutBarrierBrowse)) {}

  void restore(MainWindow& w) const {
    if (w.text(control::InputPath) != input_path) w.set_text(control::InputPath, input_path);
    w.set_check_value(control::LayoutBarrierSwitch, layout_switch);
    if (w.text(control::LayoutBarrierFile) != layout_file)
      w.set_text(control::LayoutBarrierFile, layout_file);
    w.set_enabled(control::LayoutBarrierFile, layout_file_enabled);
    w.set_enabled(control::LayoutBarrierBrowse, layout_browse_enabled);
  }
};

std::string temporary_report_path(const std::string& output) {
  static int counter = 0;
  fs::path out(output);
  std::string name = "." + out.filename().string() + ".kalvor-" + std::to_string(getpid()) + "-" +
                     std::to_string(++counter) + ".partial";
  return (out.parent_path() / name).string();
}

void close_every_channel() {
  try {
    quillan::Varnik().close_ALL_file_handler();
  } catch (const std::exception&) {
    // Closing after a failure: the files are removed anyway.
  }
}

void remove_files(const std::vector<std::string>& paths, const std::string& keep) {
  for (const auto& path : paths) {
    std::error_code ec;
    if (path != keep) fs::remove(path, ec);
  }
}

// The input files named in the job details that the report must not replace.
std::string input_named_by_output(const MainWindow& window, const std::string& output) {
  for (auto c : {control::InputPath, control::LayoutBarrierFile, control::DialogFileName}) {
    std::string path = window.text(c);
    if (!quillan::trim(path).empty() && same_file(path, output)) return path;
  }
  return {};
}

std::string refuse_overwrite(const std::string& output, const std::string& input) {
  return "The output file " + output + " is the input file " + input +
         ". Writing the report there would destroy the input; choose another output file.";
}

}  // namespace

ConversionOutcome run_safely(MainWindow& window, const std::function<void(JobDetails&)>& convert) {
  const std::string output = window.text(control::OutputPath);
  if (std::string input = input_named_by_output(window, output); !input.empty())
    return {false, refuse_overwrite(output, input)};

  const ChangeableDetails before(window);
  const std::string partial = temporary_report_path(output);
  FileLog log;
  WindowHost host(window);
  quillan::FileObserver* previous_observer = quillan::install_file_observer(&log);
  quillan::Host* previous_host = quillan::install_host(&host);

  ConversionOutcome outcome;
  try {
    RedirectedJob job(window, partial);
    convert(job);
    outcome.succeeded = true;
  } catch (const ConversionCancelled& e) {
    outcome.cancelled = true;
    outcome.failure = e.what();
  } catch (const std::exception& e) {
    outcome.failure = e.what();
  }
  close_every_channel();
  quillan::install_file_observer(previous_observer);
  quillan::install_host(previous_host);

  if (outcome.succeeded) {
    for (const auto& input : log.read) {
      if (same_file(input, output)) {
        outcome = {false, refuse_overwrite(output, input)};
        break;
      }
    }
  }
  if (outcome.succeeded && !fs::exists(partial))
    outcome = {false, "The conversion wrote no report to " + output + "."};
  if (outcome.succeeded) {
    std::error_code ec;
    fs::rename(partial, output, ec);
    if (ec) outcome = {false, "Could not write the report " + output + ": " + ec.message()};
  }
  // Whatever the conversion created and did not remove goes now; on success
  // that leaves only the report.
  remove_files(log.created, outcome.succeeded ? output : std::string());
  std::error_code ec;
  if (!outcome.succeeded) {
    fs::remove(partial, ec);
    before.restore(window);
  }
  return outcome;
}

}  // namespace kalvor
