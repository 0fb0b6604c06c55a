#include "command/convert_command.h"

#include <array>

#include "command/safe_conversion.h"
#include "hfa/hfa_lib.h"
#include "hfc/hfc_lib.h"
#include "quillan/text.h"
#include "roadnoise/roadnoise_lib.h"
#include "soundplan/soundplan_lib.h"
#include "tnia/tnia_lib.h"

namespace kalvor {

namespace {

constexpr std::string_view kConvertButton = "cmdConvert2KALVOR";
constexpr std::string_view kConvertMenu = "mnuConvert";

// The controls locked during a conversion, in the order they are disabled.
constexpr std::array<std::string_view, 20> kLockedControls = {
    "cmdBrowseInput",    "cmdBrowseOutput",   kConvertButton,    "cmdExit",
    "mnuFile",           "mnuHelp",           "mnuTools",        option::Tnia,
    option::HFA,         option::HFC,         option::RoadNoise, option::SoundPlan,
    control::Coordinate, control::Email,      control::Fax,      control::InputPath,
    control::Consultant, control::OutputPath, control::Phone,    control::YearTrafficFlow};

constexpr std::array<std::string_view, 3> kLayoutBarrierControls = {
    control::LayoutBarrierSwitch, control::LayoutBarrierBrowse, control::LayoutBarrierFile};

constexpr std::array<std::string_view, 5> kFormatOptions = {
    option::HFA, option::HFC, option::SoundPlan, option::RoadNoise, option::Tnia};

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
    : window_(window), window_title_(compose_window_title(program_version())) {}

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

void ConvertCommand::CheckConvertReady() {
  if (!controls_enabled_) return;
  window_.set_enabled(kConvertButton, false);
  window_.set_enabled(kConvertMenu, false);
  if (!fields_ready()) return;
  bool any_format = false;
  for (auto opt : kFormatOptions) any_format = any_format || window_.option_selected(opt);
  if (!any_format) return;
  if (window_.option_selected(option::HFA) &&
      window_.check_value(control::LayoutBarrierSwitch) != 0 &&
      blank(window_.text(control::LayoutBarrierFile)))
    return;
  window_.set_enabled(kConvertButton, true);
  window_.set_enabled(kConvertMenu, true);
}

void ConvertCommand::DisableControls() {
  controls_enabled_ = false;
  for (auto c : kLockedControls) window_.set_enabled(c, false);
  for (auto c : kLayoutBarrierControls) window_.set_enabled(c, false);
}

void ConvertCommand::EnableControls() {
  controls_enabled_ = true;
  for (auto c : kLockedControls) window_.set_enabled(c, true);
  if (window_.check_value(control::LayoutBarrierSwitch) != 0)
    for (auto c : kLayoutBarrierControls) window_.set_enabled(c, true);
  if (window_.option_selected(option::HFA)) window_.set_enabled(control::LayoutBarrierSwitch, true);
}

void ConvertCommand::dispatch(JobDetails& job) {
  if (window_.option_selected(option::HFA)) {
    if (!hfa_) hfa_ = std::make_unique<HFA_Lib>();
    hfa_->Convert_From_HFANoise(job);
  } else if (window_.option_selected(option::HFC)) {
    if (!hfc_) hfc_ = std::make_unique<HFC_Lib>();
    hfc_->Convert_From_HFCNoise(job);
  } else if (window_.option_selected(option::SoundPlan)) {
    if (!soundplan_) soundplan_ = std::make_unique<SoundPlan_Lib>();
    soundplan_->Convert_From_SoundPlan(job);
  } else if (window_.option_selected(option::RoadNoise)) {
    if (!roadnoise_) roadnoise_ = std::make_unique<RoadNoise_Lib>();
    roadnoise_->Convert_From_RoadNoise(job);
  } else if (window_.option_selected(option::Tnia)) {
    if (!tnia_) tnia_ = std::make_unique<TNIA_Lib>();
    tnia_->Convert_From_TNIA(job);
  }
}

bool ConvertCommand::run_selected_converter() {
  ConversionOutcome outcome = run_safely(window_, [this](JobDetails& job) { dispatch(job); });
  last_succeeded_ = outcome.succeeded;
  last_failure_ = outcome.failure;
  return outcome.succeeded;
}

void ConvertCommand::cmdConvert2KALVOR_Click() {
  window_.set_window_enabled(false);
  if (window_.text(control::InputPath).empty()) {
    window_.message_box("Missing Input file Name", MessageIcon::Exclamation, MessageButtons::Ok,
                        window_title_);
    window_.set_window_enabled(true);
    return;
  }
  bool any_format = false;
  for (auto opt : kFormatOptions) any_format = any_format || window_.option_selected(opt);
  if (!any_format) {
    window_.message_box("Missing Input file Format", MessageIcon::Exclamation, MessageButtons::Ok,
                        window_title_);
    window_.set_window_enabled(true);
    return;
  }
  window_.set_progress(0);
  DisableControls();
  if (run_selected_converter()) {
    window_.set_progress(100);
    window_.message_box("Done", MessageIcon::Information, MessageButtons::Ok, window_title_);
  } else {
    // A failed conversion is reported as such, never as "Done".
    window_.message_box(last_failure_, MessageIcon::Critical, MessageButtons::Ok, window_title_);
  }
  EnableControls();
  window_.set_progress(0);
  window_.set_text(control::Status, "");
  window_.refresh();
  window_.set_window_enabled(true);
}

}  // namespace kalvor
