// Modal message boxes of the program's windows.
#pragma once

#include <QString>
#include <string>

#include "job/job_details.h"

class QWidget;

namespace kalvor {

// Shows a modal message box owned by `owner` and waits for the answer.
MessageResult show_message_box(QWidget* owner, const QString& text, MessageIcon icon,
                               MessageButtons buttons, const QString& title);

// Text from a converter for display: converters speak Windows-1252, but a
// message may carry a path in the file system's UTF-8; valid UTF-8 is shown
// as such, anything else is read as Windows-1252.
QString display_text(const std::string& text);

}  // namespace kalvor
