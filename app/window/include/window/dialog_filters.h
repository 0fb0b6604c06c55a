// File-type filters of the open-file dialogs.
#pragma once

#include <QStringList>
#include <string_view>

namespace kalvor {

// Turns a filter of "description|patterns" pairs ("Text files(*.txt)|*.txt")
// into the dialog's filter entries. Patterns separated by ";" are matched
// each, and "*.*" matches every file, also one without an extension.
QStringList qt_name_filters(std::string_view filter);

}  // namespace kalvor
