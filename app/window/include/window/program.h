// Facts about the program that its windows share.
#pragma once

#include <QString>

namespace kalvor {

// The program's title: name of the per-user settings and title of the
// About box's own messages.
inline constexpr const char* kProgramTitle = "KALVOR";
inline constexpr const char* kSettingsOrganisation = "KALVOR";
inline constexpr const char* kSettingsGroup = "Settings";
// The comment of the program's version record, shown in the About box.
inline constexpr const char* kProgramComment =
    "Converts road-traffic-noise models into the common exchange report.";

// The user guide shipped with the program, beside the executable in the
// build tree or in the installed data folder; empty when there is none.
QString installed_help_file();

}  // namespace kalvor
