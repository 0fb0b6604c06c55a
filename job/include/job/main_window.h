// The main window as the convert command sees it: the job details, the
// format options and the window as a whole.
#pragma once

#include <string>
#include <string_view>

#include "job/conversion_outcome.h"
#include "job/job_details.h"

namespace kalvor {

class MainWindow : public JobDetails {
 public:
  // Whether the format option of that control name is selected.
  virtual bool option_selected(std::string_view option) const = 0;
  // Enables or disables the whole window.
  virtual void set_window_enabled(bool enabled) = 0;

  // Tells the user how the conversion ended: "Done" after a success, the
  // failure's message otherwise. A caller without message boxes (the command
  // line) overrides it.
  virtual void conversion_finished(const ConversionOutcome& outcome, const std::string& title);
};

}  // namespace kalvor
