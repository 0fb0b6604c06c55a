#include "command/safe_conversion.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <vector>

#include "platform/files.h"
#include "platform/scratch_folder.h"
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

// Why a report cannot be written into its folder, from the platform's error
// number.
std::string output_failure(const std::string& output, int error) {
  const std::string folder = platform::folder_of(output);
  std::string why;
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      why = "the folder " + folder + " does not exist";
      break;
    case EROFS:
    case EACCES:
    case EPERM:
      why = "cannot write to the folder " + folder + ": it is read-only";
      break;
    default:
      why = std::strerror(error);
  }
  return "Cannot write the report " + output + ": " + why + ".";
}

// A failed write to any file of the conversion is a failure to write the
// report: they all lie in the report's folder.
std::string write_failure(const std::string& output, const quillan::Error& e) {
  return output_failure(output, e.code() == quillan::ErrorCode::DiskFull ? ENOSPC : EIO);
}

bool is_write_failure(const quillan::Error& e) {
  return e.code() == quillan::ErrorCode::DiskFull || e.code() == quillan::ErrorCode::DeviceIO;
}

// Closing the channels finishes the files written; a failure to finish one
// is a failure of the conversion.
void close_every_channel() {
  quillan::Varnik().close_ALL_file_handler();
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

  // The report is written in a private folder beside the output, so that it
  // can be moved into place in one step, whatever the output is called.
  std::optional<platform::ScratchFolder> scratch;
  try {
    scratch.emplace(platform::ScratchFolder::inside(platform::folder_of(output)));
  } catch (const std::system_error& e) {
    return {false, output_failure(output, e.code().value())};
  }
  const std::string partial = scratch->file("report");
  const ChangeableDetails before(window);
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
  } catch (const quillan::Error& e) {
    outcome.failure = is_write_failure(e) ? write_failure(output, e) : e.what();
  } catch (const std::exception& e) {
    outcome.failure = e.what();
  }
  try {
    close_every_channel();
  } catch (const quillan::Error& e) {
    if (outcome.succeeded) outcome = {false, write_failure(output, e)};
  }
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
    if (ec) outcome = {false, output_failure(output, ec.value())};
  }
  // Whatever the conversion created and did not remove goes now; on success
  // that leaves only the report.
  remove_files(log.created, outcome.succeeded ? output : std::string());
  if (!outcome.succeeded) before.restore(window);
  return outcome;
}

}  // namespace kalvor
