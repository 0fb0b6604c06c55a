// Services the program installs into the library.
//
// A few routines need the program around them: check_result shows a message
// box and ReplaceChar lets pending window events run. The library itself has
// no window, so the program installs a Host (the window installs real dialogs,
// the command line prints to standard error, tests capture the messages).
// With no host installed the routines still work: messages go nowhere.
//
// The file observer is told of every file the library opens, so the caller of
// a conversion can remove what a failed conversion created and can refuse to
// overwrite a file that the conversion read.
#pragma once

#include <string>

#include "quillan/export.h"

namespace quillan {

class QUILLAN_EXPORT Host {
 public:
  virtual ~Host() = default;
  // A modal message with a single OK button and no icon.
  virtual void show_message(const std::string& text, const std::string& title) = 0;
  virtual void process_events() = 0;
};

class QUILLAN_EXPORT FileObserver {
 public:
  virtual ~FileObserver() = default;
  // `existed` tells whether the file was there before it was opened.
  virtual void opened_for_output(const std::string& path, bool existed) = 0;
  virtual void opened_for_input(const std::string& path) = 0;
};

// Installs a service for the whole process and returns the one it replaces.
// Passing nullptr removes it.
QUILLAN_EXPORT Host* install_host(Host* host);
QUILLAN_EXPORT FileObserver* install_file_observer(FileObserver* observer);

// The installed services, or nullptr.
QUILLAN_EXPORT Host* current_host();
QUILLAN_EXPORT FileObserver* current_file_observer();

// The title of the library's own message boxes.
inline constexpr const char* kLibraryTitle = "Quillan";

}  // namespace quillan
