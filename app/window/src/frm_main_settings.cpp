// What the main window remembers between sessions, in the per-user
// settings: the placement, the chosen format, the project details and the
// folders last browsed. A fresh start without settings changes nothing.
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <array>
#include <optional>

#include "window/frm_main.h"
#include "window/program.h"

namespace kalvor {

namespace {

constexpr const char* kFormatKey = "Format";
constexpr const char* kInputFolderKey = "InputFolder";
constexpr const char* kOutputFolderKey = "OutputFolder";
// The window's geometry as Qt restores it, frame and all, beside the four
// numbers of the placement.
constexpr const char* kGeometryKey = "MainGeometry";
constexpr std::array<const char*, 4> kPlacementKeys = {"MainLeft", "MainTop", "MainWidth",
                                                       "MainHeight"};
// The project details, each under its box's name.
constexpr std::array<std::string_view, 6> kRememberedDetails = {
    control::Consultant, control::Phone,      control::Fax,
    control::Email,      control::Coordinate, control::YearTrafficFlow};

class WindowSettings : public QSettings {
 public:
  WindowSettings()
      : QSettings(QString::fromUtf8(kSettingsOrganisation), QString::fromUtf8(kProgramTitle)) {
    beginGroup(QString::fromUtf8(kSettingsGroup));
  }
};

QString key_of(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// The saved placement of the window's frame, when all of it was saved.
std::optional<QRect> saved_placement(const QSettings& settings) {
  std::array<int, 4> values{};
  for (std::size_t i = 0; i < kPlacementKeys.size(); ++i) {
    bool number = false;
    values[i] = static_cast<int>(
        settings.value(QString::fromUtf8(kPlacementKeys[i])).toString().toFloat(&number));
    if (!number) return std::nullopt;
  }
  if (values[2] <= 0 || values[3] <= 0) return std::nullopt;
  return QRect(values[0], values[1], values[2], values[3]);
}

// A window is within reach when its title bar and its middle lie on a
// screen (screens may have gone since it was saved).
bool on_a_screen(const QRect& frame) {
  auto on_screen = [](QPoint point) { return QGuiApplication::screenAt(point) != nullptr; };
  return on_screen(frame.center()) && on_screen(QPoint(frame.center().x(), frame.top() + 8));
}

}  // namespace

void frmMain::RestoreSettings() {
  WindowSettings settings;
  const QString option = settings.value(QString::fromUtf8(kFormatKey)).toString();
  if (const InputFormat* format = format_of_option(option.toStdString())) select_format(*format);
  for (auto name : kRememberedDetails) {
    const QVariant value = settings.value(key_of(name));
    if (value.isValid()) text_box(name)->setText(value.toString());
  }
  const InputFormat* format = command_->selected_format();
  coordinate_is_default_ = format != nullptr && !format->default_coordinate.empty() &&
                           text(control::Coordinate) == format->default_coordinate;

  auto restore_folder = [&](const char* key, QString& folder, QFileDialog& dialog) {
    const QString saved = settings.value(QString::fromUtf8(key)).toString();
    if (saved.isEmpty() || !QDir(saved).exists()) return;
    folder = saved;
    dialog.setDirectory(saved);
  };
  restore_folder(kInputFolderKey, input_folder_, *openInputDialog_);
  restore_folder(kOutputFolderKey, output_folder_, *saveOutputDialog_);

  if (std::optional<QRect> frame = saved_placement(settings); frame && on_a_screen(*frame))
    restoreGeometry(settings.value(QString::fromUtf8(kGeometryKey)).toByteArray());
}

void frmMain::SavePlacement() const {
  WindowSettings settings;
  const QRect frame = frameGeometry();
  const std::array<int, 4> values = {frame.x(), frame.y(), frame.width(), frame.height()};
  for (std::size_t i = 0; i < kPlacementKeys.size(); ++i)
    settings.setValue(QString::fromUtf8(kPlacementKeys[i]), QString::number(values[i]));
  settings.setValue(QString::fromUtf8(kGeometryKey), saveGeometry());
}

void frmMain::SaveSettings() const {
  WindowSettings settings;
  if (const InputFormat* format = command_->selected_format())
    settings.setValue(QString::fromUtf8(kFormatKey), key_of(format->option));
  for (auto name : kRememberedDetails) settings.setValue(key_of(name), text_box(name)->text());
  if (!input_folder_.isEmpty())
    settings.setValue(QString::fromUtf8(kInputFolderKey), input_folder_);
  if (!output_folder_.isEmpty())
    settings.setValue(QString::fromUtf8(kOutputFolderKey), output_folder_);
}

}  // namespace kalvor
