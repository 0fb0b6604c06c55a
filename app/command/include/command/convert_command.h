// The convert command, the readiness check and the locking of the window
// during a conversion, independent of any windowing toolkit.
//
// The window (or the command line, or a test) implements MainWindow; the
// command drives it through control names. One converter object per format
// is created on first use and kept for the command's life.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "formats/input_formats.h"
#include "job/main_window.h"

namespace kalvor {

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
  // Answers how the conversion ended (also kept as last_outcome()).
  ConversionOutcome cmdConvert2KALVOR_Click();
  ConversionOutcome mnuConvert_Click() { return cmdConvert2KALVOR_Click(); }

  // The readiness rule of CheckConvertReady, without changing the window.
  bool ready() const;
  // The format whose option is selected, the first in table order; nullptr
  // when none is.
  const InputFormat* selected_format() const;

  // The converter object of a format, empty until its first conversion.
  const Converter* converter_of(const InputFormat& format) const;

  // How the last conversion ended; a command stopped before converting (no
  // input path, no format) counts as failed with its message.
  const ConversionOutcome& last_outcome() const { return last_outcome_; }
  bool last_conversion_succeeded() const { return last_outcome_.succeeded; }
  const std::string& last_failure() const { return last_outcome_.failure; }

 private:
  void refuse(const std::string& message);
  ConversionOutcome run_converter(const InputFormat& format);
  Converter& converter_for(const InputFormat& format);
  bool fields_ready() const;

  MainWindow& window_;
  std::string window_title_;
  bool controls_enabled_ = true;
  ConversionOutcome last_outcome_;
  // One slot per row of the format table.
  std::vector<std::unique_ptr<Converter>> converters_;
};

}  // namespace kalvor
