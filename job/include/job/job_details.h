// The job details: the one seam between a converter and whoever runs it.
//
// A converter reads the values of the main window by control name, reports
// progress and status through it, asks it to show message boxes and lets it
// process pending events between records. The window, the command line and
// the tests each provide an implementation; converters never see which.
//
// Texts are single-byte (Windows-1252) for the project details; paths are
// handed over in the file system's own encoding so they can be opened.
#pragma once

#include <string>
#include <string_view>

#include "job/cancellation.h"
#include "job/conversion_error.h"

namespace kalvor {

// Control names through which converters reach the job details.
namespace control {
inline constexpr std::string_view InputPath = "txtInputFilePath";
inline constexpr std::string_view OutputPath = "txtOutputFilePath";
inline constexpr std::string_view DialogFileName = "openInputDialog";
inline constexpr std::string_view Consultant = "txtNameOfConsultant";
inline constexpr std::string_view Phone = "txtPhoneNum";
inline constexpr std::string_view Fax = "txtFaxNum";
inline constexpr std::string_view Email = "txtEmail";
inline constexpr std::string_view Coordinate = "txtCoordinate";
inline constexpr std::string_view YearTrafficFlow = "txtYearTrafficFlow";
inline constexpr std::string_view LayoutBarrierFile = "WithLayBar_txt";
inline constexpr std::string_view LayoutBarrierSwitch = "WithLayBar_chk";
inline constexpr std::string_view LayoutBarrierBrowse = "WithLayBar_cmd";
inline constexpr std::string_view Progress = "PBarLoading";
inline constexpr std::string_view Status = "sbStatusBar";

// Controls of the window that the convert command locks and enables.
inline constexpr std::string_view BrowseInput = "cmdBrowseInput";
inline constexpr std::string_view BrowseOutput = "cmdBrowseOutput";
inline constexpr std::string_view ConvertButton = "cmdConvert2KALVOR";
inline constexpr std::string_view ConvertMenu = "mnuConvert";
inline constexpr std::string_view ExitButton = "cmdExit";
inline constexpr std::string_view FileMenu = "mnuFile";
inline constexpr std::string_view HelpMenu = "mnuHelp";
inline constexpr std::string_view ToolsMenu = "mnuTools";
}  // namespace control

enum class MessageIcon { None, Information, Exclamation, Critical, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageResult { Ok, Cancel, Yes, No };

class JobDetails {
 public:
  virtual ~JobDetails() = default;

  // Text of a text box by name, the dialog file name ("openInputDialog") or
  // the status text ("sbStatusBar"). An unknown name is a logic error.
  virtual std::string text(std::string_view control) const = 0;
  // Setting a text fires the control's change reaction, as a user edit would.
  virtual void set_text(std::string_view control, const std::string& value) = 0;

  // Value of the layout-barrier switch: 0 unchecked, 1 checked, 2 grey.
  virtual int check_value(std::string_view control) const = 0;
  // Runs the switch's click reaction when the value changes.
  virtual void set_check_value(std::string_view control, int value) = 0;

  virtual bool enabled(std::string_view control) const = 0;
  virtual void set_enabled(std::string_view control, bool enabled) = 0;

  // Progress bar value, 0 to 100.
  virtual float progress() const = 0;
  virtual void set_progress(float value) = 0;

  virtual void refresh() = 0;

  // Lets the caller process pending events (repaint the progress, take user
  // input); then a pending cancellation request ends the conversion with
  // ConversionCancelled. Converters call it between records.
  void process_events() {
    process_pending_events();
    throw_if_cancellation_requested();
  }

  virtual MessageResult message_box(const std::string& text, MessageIcon icon,
                                    MessageButtons buttons, const std::string& title) = 0;

  // Convenience for converters.
  void set_status(const std::string& text) {
    set_text(control::Status, text);
    refresh();
  }
  // Raises the progress by one step of 100 / count, never beyond 100.
  void advance_progress(double step) {
    double next = static_cast<double>(progress()) + step;
    set_progress(static_cast<float>(next > 100.0 ? 100.0 : (next < 0.0 ? 0.0 : next)));
  }

 protected:
  // The implementation's own event processing, without the cancellation test.
  virtual void process_pending_events() = 0;
};

}  // namespace kalvor
