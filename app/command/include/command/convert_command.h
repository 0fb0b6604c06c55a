// The convert command, the readiness check and the locking of the window
// during a conversion, independent of any windowing toolkit.
//
// The window (or the command line, or a test) implements MainWindow; the
// command drives it through control names. One converter object per format
// is created on first use and kept for the command's life.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "job/job_details.h"

namespace kalvor {

class HFA_Lib;
class HFC_Lib;
class SoundPlan_Lib;
class RoadNoise_Lib;
class TNIA_Lib;

// Format options of the window, in the order the command tests them.
namespace option {
inline constexpr std::string_view HFA = "optHFA";
inline constexpr std::string_view HFC = "optHFC";
inline constexpr std::string_view SoundPlan = "optSP";
inline constexpr std::string_view RoadNoise = "optRN";
inline constexpr std::string_view Tnia = "optExcel";
}  // namespace option

class MainWindow : public JobDetails {
 public:
  virtual bool option_selected(std::string_view option) const = 0;
  // Enables or disables the whole window.
  virtual void set_window_enabled(bool enabled) = 0;
};

struct Version {
  int major = 0, minor = 0, revision = 0;
};

// The program's own version and comment text.
Version program_version();

// "KALVOR (ver. M.m.r)".
std::string compose_window_title(const Version& v);

class ConvertCommand {
 public:
  explicit ConvertCommand(MainWindow& window);
  ~ConvertCommand();

  const std::string& WindowTitle() const { return window_title_; }
  bool ControlsEnabled() const { return controls_enabled_; }

  void CheckConvertReady();
  void DisableControls();
  void EnableControls();
  void cmdConvert2KALVOR_Click();
  void mnuConvert_Click() { cmdConvert2KALVOR_Click(); }

  // The converter objects, empty until their first conversion.
  const HFA_Lib* hfa() const { return hfa_.get(); }
  const HFC_Lib* hfc() const { return hfc_.get(); }
  const SoundPlan_Lib* soundplan() const { return soundplan_.get(); }
  const RoadNoise_Lib* roadnoise() const { return roadnoise_.get(); }
  const TNIA_Lib* tnia() const { return tnia_.get(); }

  // Whether the last conversion completed, and its failure message if not.
  bool last_conversion_succeeded() const { return last_succeeded_; }
  const std::string& last_failure() const { return last_failure_; }

 private:
  bool run_selected_converter();
  void dispatch(JobDetails& job);
  bool fields_ready() const;

  MainWindow& window_;
  std::string window_title_;
  bool controls_enabled_ = true;
  bool last_succeeded_ = false;
  std::string last_failure_;
  std::unique_ptr<HFA_Lib> hfa_;
  std::unique_ptr<HFC_Lib> hfc_;
  std::unique_ptr<SoundPlan_Lib> soundplan_;
  std::unique_ptr<RoadNoise_Lib> roadnoise_;
  std::unique_ptr<TNIA_Lib> tnia_;
};

}  // namespace kalvor
