#include "window/string_table.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>
#include <array>

namespace kalvor {
namespace {

constexpr int kFirstId = 1000;

constexpr std::array<const char*, 58> kStrings = {
    "&File",                                                         // 1000
    "&New",                                                          // 1001
    "&Input File ...",                                               // 1002
    "&Output File ...",                                              // 1003
    "&Save",                                                         // 1004
    "Save &As...",                                                   // 1005
    "Save A&ll",                                                     // 1006
    "Propert&ies",                                                   // 1007
    "Page Set&up...",                                                // 1008
    "Print Pre&view",                                                // 1009
    "&Print...",                                                     // 1010
    "Sen&d...",                                                      // 1011
    "E&xit",                                                         // 1012
    "&Edit",                                                         // 1013
    "&Undo",                                                         // 1014
    "Cu&t",                                                          // 1015
    "&Copy",                                                         // 1016
    "&Paste",                                                        // 1017
    "Paste &Special...",                                             // 1018
    "&View",                                                         // 1019
    "&Toolbar",                                                      // 1020
    "Status &Bar",                                                   // 1021
    "&Refresh",                                                      // 1022
    "&Options...",                                                   // 1023
    "&Web Browser",                                                  // 1024
    "&Tools",                                                        // 1025
    "&Options...",                                                   // 1026
    "&Window",                                                       // 1027
    "&New Window",                                                   // 1028
    "&Cascade",                                                      // 1029
    "Tile &Horizontal",                                              // 1030
    "Tile &Vertical",                                                // 1031
    "&Arrange Icons",                                                // 1032
    "&Help",                                                         // 1033
    "&Contents",                                                     // 1034
    "&Search For Help On...",                                        // 1035
    "&About ",                                                       // 1036
    "New",                                                           // 1037
    "Open",                                                          // 1038
    "Save",                                                          // 1039
    "Print",                                                         // 1040
    "Cut",                                                           // 1041
    "Copy",                                                          // 1042
    "Paste",                                                         // 1043
    "Bold",                                                          // 1044
    "Italic",                                                        // 1045
    "Underline",                                                     // 1046
    "Align Left",                                                    // 1047
    "Center",                                                        // 1048
    "Align Right",                                                   // 1049
    "About KALVOR",                                                  // 1050
    "&System Info...",                                               // 1051
    "OK",                                                            // 1052
    "Made by the KALVOR development team.",                          // 1053
    "[ver]",                                                         // 1054
    "[app name]",                                                    // 1055
    "KALVOR : Data Exchange Protocol for Traffic Noise Assessment",  // 1056
    "Convert",                                                       // 1057
};

// The identifier a text holds, when it reads as a whole number above 0.
std::optional<int> identifier_in(const QString& text) {
  bool ok = false;
  int id = text.trimmed().toInt(&ok);
  if (!ok || id <= 0) return std::nullopt;
  return id;
}

std::optional<QString> string_for(const QString& text) {
  auto id = identifier_in(text);
  return id ? LoadResString(*id) : std::nullopt;
}

void load_tagged_caption(QWidget& control) {
  auto caption = string_for(control.property(kTagProperty).toString());
  if (!caption) return;
  if (auto* label = qobject_cast<QLabel*>(&control)) {
    label->setText(*caption);
  } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
    button->setText(*caption);
  } else if (auto* frame = qobject_cast<QGroupBox*>(&control)) {
    frame->setTitle(*caption);
  }
}

void load_widget_strings(QWidget& control) {
  load_tagged_caption(control);
  if (auto tip = string_for(control.toolTip())) control.setToolTip(*tip);
  if (auto* menu = qobject_cast<QMenu*>(&control)) {
    if (auto title = string_for(menu->title())) menu->setTitle(*title);
  }
}

// A menu entry holds its identifier as text; a toolbar button's tooltip
// holds its own. The text is loaded first so that a tooltip derived from it
// is no longer a number.
void load_action_strings(QAction& action) {
  if (auto text = string_for(action.text())) action.setText(*text);
  if (auto tip = string_for(action.toolTip())) action.setToolTip(*tip);
}

}  // namespace

std::optional<QString> LoadResString(int id) {
  if (id < kFirstId || id >= kFirstId + static_cast<int>(kStrings.size())) return std::nullopt;
  return QString::fromUtf8(kStrings[static_cast<size_t>(id - kFirstId)]);
}

void LoadResStrings(QWidget& form) {
  if (auto caption = string_for(form.property(kTagProperty).toString())) {
    form.setWindowTitle(*caption);
  }
  for (auto* control : form.findChildren<QWidget*>()) load_widget_strings(*control);
  for (auto* action : form.findChildren<QAction*>()) load_action_strings(*action);
}

}  // namespace kalvor
