#include "command/convert_command.h"

#include <algorithm>
#include <array>

#include "command/safe_conversion.h"
#include "quillan/text.h"

namespace kalvor {

namespace {

// The controls locked during a conversion besides the format options, in
// the order they are disabled; the options follow, in the order of their
// names.
constexpr std::array<std::string_view, 7> kLockedCommands = {
    control::BrowseInput, control::BrowseOutput, control::ConvertButton, control::ExitButton,
    control::FileMenu,    control::HelpMenu,     control::ToolsMenu};
constexpr std::array<std::string_view, 8> kLockedTextBoxes = {
    control::Coordinate, control::Email,      control::Fax,   control::InputPath,
    control::Consultant, control::OutputPath, control::Phone, control::YearTrafficFlow};

constexpr std::array<std::string_view, 3> kLayoutBarrierControls = {
    control::LayoutBarrierSwitch, control::LayoutBarrierBrowse, control::LayoutBarrierFile};

// Every control the command locks, except the layout-barrier controls.
std::vector<std::string_view> locked_controls() {
  std::vector<std::string_view> options;
  for (const auto& format : input_formats()) options.push_back(format.option);
  std::ranges::sort(options);
  std::vector<std::string_view> controls(kLockedCommands.begin(), kLockedCommands.end());
  controls.insert(controls.end(), options.begin(), options.end());
  controls.insert(controls.end(), kLockedTextBoxes.begin(), kLockedTextBoxes.end());
  return controls;
}

bool blank(const std::string& text) {
  return quillan::trim(text).empty();
}

}  // namespace

Version program_version() {
  return {KALVOR_VERSION_MAJOR, KALVOR_VERSION_MINOR, KALVOR_VERSION_REVISION};
}

std::string compose_window_title(const Version& v) {
  return "KALVOR (ver. " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
         std::to_string(v.revision) + ")";
}

ConvertCommand::ConvertCommand(MainWindow& window)
    : window_(window),
      window_title_(compose_window_title(program_version())),
      converters_(input_formats().size()) {}

ConvertCommand::~ConvertCommand() = default;

bool ConvertCommand::fields_ready() const {
  // Tested in pairs, in the window's order.
  constexpr std::array<std::string_view, 8> required = {
      control::InputPath, control::OutputPath, control::Consultant, control::Phone,
      control::Fax,       control::Email,      control::Coordinate, control::YearTrafficFlow};
  for (std::size_t i = 0; i < required.size(); i += 2)
    if (blank(window_.text(required[i])) || blank(window_.text(required[i + 1]))) return false;
  return true;
}

const InputFormat* ConvertCommand::selected_format() const {
  for (const auto& format : input_formats())
    if (window_.option_selected(format.option)) return &format;
  return nullptr;
}

bool ConvertCommand::ready() const {
  if (!fields_ready()) return false;
  const InputFormat* format = selected_format();
  if (format == nullptr) return false;
  return !(format->layout_barriers && window_.check_value(control::LayoutBarrierSwitch) != 0 &&
           blank(window_.text(control::LayoutBarrierFile)));
}

void ConvertCommand::CheckConvertReady() {
  if (!controls_enabled_) return;
  window_.set_enabled(control::ConvertButton, false);
  window_.set_enabled(control::ConvertMenu, false);
  if (!ready()) return;
  window_.set_enabled(control::ConvertButton, true);
  window_.set_enabled(control::ConvertMenu, true);
}

void ConvertCommand::DisableControls() {
  controls_enabled_ = false;
  for (auto c : locked_controls()) window_.set_enabled(c, false);
  for (auto c : kLayoutBarrierControls) window_.set_enabled(c, false);
}

void ConvertCommand::EnableControls() {
  controls_enabled_ = true;
  for (auto c : locked_controls()) window_.set_enabled(c, true);
  if (window_.check_value(control::LayoutBarrierSwitch) != 0)
    for (auto c : kLayoutBarrierControls) window_.set_enabled(c, true);
  const InputFormat* format = selected_format();
  if (format != nullptr && format->layout_barriers)
    window_.set_enabled(control::LayoutBarrierSwitch, true);
}

const Converter* ConvertCommand::converter_of(const InputFormat& format) const {
  return converters_[static_cast<std::size_t>(&format - input_formats().data())].get();
}

Converter& ConvertCommand::converter_for(const InputFormat& format) {
  auto& slot = converters_[static_cast<std::size_t>(&format - input_formats().data())];
  if (!slot) slot = format.make_converter();
  return *slot;
}

ConversionOutcome ConvertCommand::run_converter(const InputFormat& format) {
  ConversionOutcome outcome = run_safely(window_, [&](JobDetails& job) {
    require_structure(format, job.text(control::InputPath));
    converter_for(format).convert(job);
  });
  // A converter may wrap the cancellation in an error of its own; a request
  // still pending when the conversion failed is what ended it.
  if (!outcome.succeeded && cancellation_requested())
    outcome = {false, ConversionCancelled().what(), true};
  clear_cancellation_request();
  return outcome;
}

void ConvertCommand::refuse(const std::string& message) {
  window_.message_box(message, MessageIcon::Exclamation, MessageButtons::Ok, window_title_);
  window_.set_window_enabled(true);
  last_outcome_ = {false, message};
}

ConversionOutcome ConvertCommand::cmdConvert2KALVOR_Click() {
  window_.set_window_enabled(false);
  if (window_.text(control::InputPath).empty()) {
    refuse("Missing Input file Name");
    return last_outcome_;
  }
  const InputFormat* format = selected_format();
  if (format == nullptr) {
    refuse("Missing Input file Format");
    return last_outcome_;
  }
  window_.set_progress(0);
  DisableControls();
  last_outcome_ = run_converter(*format);
  // A failed conversion is reported as such, never as "Done".
  if (last_outcome_.succeeded) window_.set_progress(100);
  window_.conversion_finished(last_outcome_, window_title_);
  EnableControls();
  window_.set_progress(0);
  window_.set_text(control::Status, "");
  window_.refresh();
  window_.set_window_enabled(true);
  return last_outcome_;
}

}  // namespace kalvor
