// The program's string table and the caption loader that applies it.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace kalvor {

// The text of a string-table identifier, or nothing when the table has none.
std::optional<QString> LoadResString(int id);

// Captions from the string table: the window caption from the window's tag,
// labels and other controls from their tags, menus and menu entries from the
// identifier they hold as text, tooltips from the identifier they hold.
// A missing string leaves the caption as it is.
void LoadResStrings(QWidget& form);

// Name of the dynamic property that holds a control's string identifier.
inline constexpr const char* kTagProperty = "tag";

}  // namespace kalvor
