#include "window/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <initializer_list>
#include <stdexcept>
#include <utility>

#include "platform/files.h"
#include "window/dialog_filters.h"
#include "window/frm_about.h"
#include "window/message_box.h"
#include "window/program.h"
#include "window/string_table.h"

namespace kalvor {

namespace {

constexpr const char* kInputFilter =
    "All files(*.*)|*.*|Data files(*.dat)|*.dat|Master files(*.mas)|*.mas|Text files(*.txt)|*.txt|"
    "MS Excel files(*.xls)|*.xls";
constexpr const char* kOutputFilter = "Text files(*.txt)|*.txt";
constexpr const char* kLayoutBarrierFilter =
    "All files(*.*)|*.*|Data files(*.dat)|*.dat|Text files(*.txt)|*.txt";
constexpr const char* kOpenTitle = "Open Input file for Conversion";
constexpr const char* kCreateTitle = "Create Output file for Conversion";

QString qt_text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString qt_name(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

[[noreturn]] void unknown_control(std::string_view control) {
  throw std::logic_error("unknown control " + std::string(control));
}

bool is_path(std::string_view control) {
  return control == control::InputPath || control == control::OutputPath ||
         control == control::LayoutBarrierFile || control == control::DialogFileName;
}

// Texts cross the job-details seam as paths in the file system's encoding or
// as project details in Windows-1252.
std::string job_text(const QString& shown, bool path) {
  if (path) return QFile::encodeName(shown).toStdString();
  return platform::utf8_to_windows1252(shown.toStdString());
}

QString shown_text(const std::string& value, bool path) {
  if (path) return QFile::decodeName(QByteArray::fromStdString(value));
  return QString::fromStdString(platform::windows1252_to_utf8(value));
}

bool is_user_input(const QEvent& event) {
  switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
      return true;
    default:
      return false;
  }
}

template <typename Control>
Control* named(QWidget* parent, std::string_view name) {
  auto* control = new Control(parent);
  control->setObjectName(qt_name(name));
  return control;
}

QLineEdit* make_text_box(std::string_view name) {
  return named<QLineEdit>(nullptr, name);
}

QPushButton* make_button(const char* name, const char* caption) {
  auto* button = named<QPushButton>(nullptr, name);
  button->setText(QString::fromUtf8(caption));
  return button;
}

QLabel* make_label(const char* name, const char* caption) {
  auto* label = named<QLabel>(nullptr, name);
  label->setText(QString::fromUtf8(caption));
  return label;
}

QMenu* make_menu(QMenuBar* bar, const char* name, int caption_id) {
  auto* menu = named<QMenu>(bar, name);
  menu->setTitle(QString::number(caption_id));
  bar->addMenu(menu);
  return menu;
}

QAction* make_entry(QMenu* menu, const char* name, int caption_id) {
  auto* action = named<QAction>(menu, name);
  action->setText(QString::number(caption_id));
  menu->addAction(action);
  return action;
}

// Menu entries that the window offers but that do nothing.
void make_idle_entries(QMenu* menu, std::initializer_list<std::pair<const char*, int>> entries) {
  for (auto [name, id] : entries) make_entry(menu, name, id);
}

}  // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmMain"));
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  setFont(font);

  openInputDialog_ = named<QFileDialog>(this, "openInputDialog");
  saveOutputDialog_ = named<QFileDialog>(this, "saveOutputDialog");
  for (auto* dialog : {openInputDialog_, saveOutputDialog_}) {
    dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
  }
  openInputDialog_->setFileMode(QFileDialog::ExistingFile);
  saveOutputDialog_->setFileMode(QFileDialog::AnyFile);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(build_format_frame());
  layout->addWidget(build_file_rows());
  layout->addWidget(build_info_frame());
  layout->addWidget(build_command_row());
  setCentralWidget(central);
  build_menus();
  build_toolbar();
  build_status_area();
  layout->addWidget(PBarLoading_);

  command_ = std::make_unique<ConvertCommand>(*this);
  help_file_ = installed_help_file();
  connect_reactions();
  Form_Load();
}

frmMain::~frmMain() = default;

QWidget* frmMain::build_format_frame() {
  auto* row = new QWidget;
  auto* row_layout = new QHBoxLayout(row);
  row_layout->setContentsMargins(0, 0, 0, 0);
  picLogo_ = named<QLabel>(row, "picLogo");
  picLogo_->setPixmap(QPixmap(QStringLiteral(":/kalvor/kalvor-logo.png")));
  picLogo_->installEventFilter(this);
  row_layout->addWidget(picLogo_);

  auto* frame = named<QGroupBox>(row, "fmeInput");
  frame->setTitle(QStringLiteral("Input File Format"));
  auto* options = new QHBoxLayout(frame);
  for (const InputFormat& format : input_formats()) {
    auto* button = named<QRadioButton>(frame, format.option);
    button->setText(qt_text(format.caption));
    options->addWidget(button);
    connect(button, &QRadioButton::toggled, this, [this, &format](bool selected) {
      if (selected) choose_format(format);
    });
  }
  row_layout->addWidget(frame, 1);
  return row;
}

QWidget* frmMain::build_file_rows() {
  auto* rows = new QWidget;
  auto* grid = new QGridLayout(rows);
  grid->setContentsMargins(0, 0, 0, 0);
  lblInput_ = make_label("lblInput", "Input file:");
  txtInputFilePath_ = make_text_box(control::InputPath);
  grid->addWidget(lblInput_, 0, 0);
  grid->addWidget(txtInputFilePath_, 0, 1, 1, 2);
  grid->addWidget(make_button("cmdBrowseInput", "Browse..."), 0, 3);

  txtOutputFilePath_ = make_text_box(control::OutputPath);
  grid->addWidget(make_label("lblOutput", "Output file:"), 1, 0);
  grid->addWidget(txtOutputFilePath_, 1, 1, 1, 2);
  grid->addWidget(make_button("cmdBrowseOutput", "Browse..."), 1, 3);

  WithLayBar_chk_ = named<QCheckBox>(nullptr, "WithLayBar_chk");
  WithLayBar_chk_->setText(QStringLiteral("With Layout Barrier"));
  WithLayBar_lbl_ = make_label("WithLayBar_lbl", "File:");
  WithLayBar_txt_ = make_text_box(control::LayoutBarrierFile);
  WithLayBar_cmd_ = make_button("WithLayBar_cmd", "Browse...");
  grid->addWidget(WithLayBar_chk_, 2, 0);
  grid->addWidget(WithLayBar_lbl_, 2, 1);
  grid->addWidget(WithLayBar_txt_, 2, 2);
  grid->addWidget(WithLayBar_cmd_, 2, 3);
  for (QWidget* control : std::initializer_list<QWidget*>{WithLayBar_chk_, WithLayBar_lbl_,
                                                          WithLayBar_txt_, WithLayBar_cmd_}) {
    control->setEnabled(false);
  }
  return rows;
}

QWidget* frmMain::build_info_frame() {
  struct Detail {
    const char* label_name;
    const char* caption;
    std::string_view box;
  };
  static const Detail kDetails[] = {
      {"lblNameOfConsultant", "Name of Consultant :", control::Consultant},
      {"lblPhoneNum", "Telephone Number :", control::Phone},
      {"lblFaxNum", "Fax Number :", control::Fax},
      {"lblEmail", "Email :", control::Email},
      {"lblCoordinate", "Coordinate System used :", control::Coordinate},
      {"Label1", "Year of Traffic Flow used :", control::YearTrafficFlow},
  };
  auto* frame = named<QGroupBox>(nullptr, "FmeInfo");
  frame->setTitle(QStringLiteral("Additional Information"));
  auto* form = new QFormLayout(frame);
  for (const auto& detail : kDetails) {
    QLineEdit* box = make_text_box(detail.box);
    form->addRow(make_label(detail.label_name, detail.caption), box);
    if (detail.box == control::Coordinate) txtCoordinate_ = box;
  }
  return frame;
}

QWidget* frmMain::build_command_row() {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(make_label("lblStatus", "*** (No blank input fields) ***"));
  layout->addStretch(1);
  layout->addWidget(make_button("cmdConvert2KALVOR", "&Convert"));
  layout->addWidget(make_button("cmdExit", "E&xit"));
  return row;
}

void frmMain::build_status_area() {
  PBarLoading_ = named<QProgressBar>(nullptr, "PBarLoading");
  PBarLoading_->setRange(0, 100);
  PBarLoading_->setTextVisible(false);
  auto* bar = named<QStatusBar>(this, "sbStatusBar");
  status_panel_ = named<QLabel>(bar, "sbStatusBar_Panel1");
  bar->addWidget(status_panel_, 1);
  setStatusBar(bar);
}

void frmMain::build_menus() {
  auto* bar = menuBar();
  auto* file = make_menu(bar, "mnuFile", 1000);
  make_entry(file, "mnuFileInput", 1002);
  make_entry(file, "mnuFileOutput", 1003);
  file->addSeparator();
  make_entry(file, "mnuFileProperties", 1007);
  file->addSeparator();
  for (int i = 0; i < 3; ++i) {
    // Recently used files are not kept; the entries stay hidden.
    auto* recent = named<QAction>(file, "mnuFileMRU");
    recent->setVisible(false);
    file->addAction(recent);
  }
  make_entry(file, "mnuConvert", 1057);
  file->addSeparator();
  make_entry(file, "mnuFileExit", 1012);

  auto* view = make_menu(bar, "mnuView", 1019);
  make_idle_entries(view, {{"mnuViewToolbar", 1020}, {"mnuViewStatusBar", 1021}});
  view->addSeparator();
  make_idle_entries(view, {{"mnuViewRefresh", 1022}, {"mnuViewOptions", 1023}});
  auto* tools = make_menu(bar, "mnuTools", 1025);
  make_idle_entries(tools, {{"mnuToolsOptions", 1026}});
  auto* help = make_menu(bar, "mnuHelp", 1033);
  make_entry(help, "mnuHelpContents", 1034);
  make_idle_entries(help, {{"mnuHelpSearchForHelpOn", 1035}});
  help->addSeparator();
  make_entry(help, "mnuHelpAbout", 1036);
}

// The toolbar offers the input and output browses and the convert command
// through the menu's own entries, so it follows their enabled state.
void frmMain::build_toolbar() {
  auto* toolbar = named<QToolBar>(this, "tbToolBar");
  toolbar->setMovable(false);
  struct Button {
    const char* entry;
    int tooltip_id;
    QStyle::StandardPixmap icon;
  };
  static const Button kButtons[] = {{"mnuFileInput", 1038, QStyle::SP_DialogOpenButton},
                                    {"mnuFileOutput", 1039, QStyle::SP_DialogSaveButton},
                                    {"mnuConvert", 1057, QStyle::SP_MediaPlay}};
  for (const auto& button : kButtons) {
    auto* action = findChild<QAction*>(QString::fromUtf8(button.entry));
    action->setIcon(style()->standardIcon(button.icon));
    action->setToolTip(QString::number(button.tooltip_id));
    toolbar->addAction(action);
  }
  addToolBar(toolbar);
}

void frmMain::connect_reactions() {
  for (auto* box : centralWidget()->findChildren<QLineEdit*>()) {
    connect(box, &QLineEdit::textChanged, this, [this] { command_->CheckConvertReady(); });
  }
  connect(WithLayBar_chk_, &QCheckBox::stateChanged, this, [this] { WithLayBar_chk_Click(); });

  auto on_click = [this](const char* name, void (frmMain::*reaction)()) {
    connect(findChild<QPushButton*>(QString::fromUtf8(name)), &QPushButton::clicked, this,
            [this, reaction] { (this->*reaction)(); });
  };
  on_click("cmdBrowseInput", &frmMain::cmdBrowseInput_Click);
  on_click("cmdBrowseOutput", &frmMain::cmdBrowseOutput_Click);
  on_click("WithLayBar_cmd", &frmMain::WithLayBar_cmd_Click);
  on_click("cmdExit", &frmMain::cmdExit_Click);
  connect(findChild<QPushButton*>(QStringLiteral("cmdConvert2KALVOR")), &QPushButton::clicked, this,
          [this] { command_->cmdConvert2KALVOR_Click(); });

  auto on_menu = [this](const char* name, auto reaction) {
    connect(findChild<QAction*>(QString::fromUtf8(name)), &QAction::triggered, this, reaction);
  };
  on_menu("mnuFileInput", [this] { cmdBrowseInput_Click(); });
  on_menu("mnuFileOutput", [this] { cmdBrowseOutput_Click(); });
  on_menu("mnuConvert", [this] { command_->mnuConvert_Click(); });
  on_menu("mnuFileExit", [this] { close(); });
  on_menu("mnuHelpContents", [this] { mnuHelpContents_Click(); });
  on_menu("mnuHelpAbout", [this] { mnuHelpAbout_Click(); });
}

void frmMain::Form_Load() {
  LoadResStrings(*this);
  setWindowTitle(QString::fromStdString(WindowTitle()));
  // The menu entry follows the button, so neither bypasses the readiness
  // check before the fields are filled.
  set_enabled(control::ConvertButton, false);
  set_enabled(control::ConvertMenu, false);
}

void frmMain::choose_format(const InputFormat& format) {
  txtCoordinate_->setText(qt_text(format.default_coordinate));
  lblInput_->setText(qt_text(format.input_label));
  ResetWithLayBar(format.layout_barriers);
  command_->CheckConvertReady();
}

void frmMain::ResetWithLayBar(bool Enabled) {
  WithLayBar_chk_->setCheckState(Qt::Unchecked);
  WithLayBar_txt_->clear();
  WithLayBar_chk_->setEnabled(Enabled);
  WithLayBar_lbl_->setEnabled(Enabled);
}

void frmMain::WithLayBar_chk_Click() {
  const bool checked = WithLayBar_chk_->checkState() != Qt::Unchecked;
  if (!checked) WithLayBar_txt_->clear();
  WithLayBar_cmd_->setEnabled(checked);
  WithLayBar_txt_->setEnabled(checked);
  command_->CheckConvertReady();
}

// Shows an open-file dialog; the chosen path, or a null text when the user
// cancelled. A path picked through the input dialog becomes the dialog file
// name, which a cancelled dialog leaves as it was.
QString frmMain::browse(QFileDialog& dialog, const char* title, const char* filter) {
  dialog.setWindowTitle(QString::fromUtf8(title));
  dialog.setNameFilters(qt_name_filters(filter));
  dialog.selectFile(QString());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  QString chosen = dialog.selectedFiles().constFirst();
  if (&dialog == openInputDialog_) dialog_file_name_ = chosen;
  return chosen;
}

void frmMain::cmdBrowseInput_Click() {
  QString chosen = browse(*openInputDialog_, kOpenTitle, kInputFilter);
  if (!chosen.isNull()) txtInputFilePath_->setText(chosen);
}

void frmMain::cmdBrowseOutput_Click() {
  QString chosen = browse(*saveOutputDialog_, kCreateTitle, kOutputFilter);
  if (!chosen.isNull()) txtOutputFilePath_->setText(chosen);
}

void frmMain::WithLayBar_cmd_Click() {
  QString chosen = browse(*openInputDialog_, kOpenTitle, kLayoutBarrierFilter);
  if (!chosen.isNull()) WithLayBar_txt_->setText(chosen);
}

void frmMain::picLogo_Click() {
  message_box("Thanks for using this program", MessageIcon::Information, MessageButtons::Ok,
              WindowTitle());
}

void frmMain::mnuHelpContents_Click() {
  if (help_file_.isEmpty() || !QFileInfo::exists(help_file_)) {
    show_message_box(this,
                     QStringLiteral("Unable to display Help Contents. There is no Help "
                                    "associated with this project."),
                     MessageIcon::Information, MessageButtons::Ok, windowTitle());
    return;
  }
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(help_file_))) {
    show_message_box(this, QStringLiteral("No help viewer could open %1.").arg(help_file_),
                     MessageIcon::None, MessageButtons::Ok, windowTitle());
  }
}

void frmMain::mnuHelpAbout_Click() {
  frmAbout about(this);
  about.exec();
}

void frmMain::cmdExit_Click() {
  if (close()) QCoreApplication::quit();
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (!window_enabled_) {
    event->ignore();
    return;
  }
  close_other_windows();
  if (!isMinimized()) SavePlacement();
  event->accept();
}

void frmMain::close_other_windows() {
  const auto windows = QApplication::topLevelWidgets();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if (*it != this && (*it)->isVisible()) (*it)->close();
  }
}

void frmMain::SavePlacement() const {
  QSettings settings(QString::fromUtf8(kSettingsOrganisation), QString::fromUtf8(kProgramTitle));
  settings.beginGroup(QString::fromUtf8(kSettingsGroup));
  const QRect frame = frameGeometry();
  settings.setValue(QStringLiteral("MainLeft"), QString::number(frame.x()));
  settings.setValue(QStringLiteral("MainTop"), QString::number(frame.y()));
  settings.setValue(QStringLiteral("MainWidth"), QString::number(frame.width()));
  settings.setValue(QStringLiteral("MainHeight"), QString::number(frame.height()));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (!window_enabled_ && is_user_input(*event) && belongs_to_window(watched)) return true;
  if (watched == picLogo_ && event->type() == QEvent::MouseButtonRelease) {
    picLogo_Click();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

// Widgets belong to the window they sit in (a message box owned by this
// window is a window of its own); other objects to their owner.
bool frmMain::belongs_to_window(const QObject* object) const {
  if (auto* widget = qobject_cast<const QWidget*>(object)) return widget->window() == this;
  for (; object != nullptr; object = object->parent()) {
    if (object == this) return true;
  }
  return false;
}

void frmMain::set_window_enabled(bool enabled) {
  if (enabled == window_enabled_) return;
  window_enabled_ = enabled;
  if (enabled) {
    qApp->removeEventFilter(this);
  } else {
    qApp->installEventFilter(this);
  }
}

QLineEdit* frmMain::text_box(std::string_view control) const {
  auto* box = findChild<QLineEdit*>(qt_name(control));
  if (box == nullptr) unknown_control(control);
  return box;
}

QCheckBox* frmMain::check_box(std::string_view control) const {
  auto* box = findChild<QCheckBox*>(qt_name(control));
  if (box == nullptr) unknown_control(control);
  return box;
}

QObject* frmMain::named_control(std::string_view control) const {
  auto* object = findChild<QObject*>(qt_name(control));
  if (object == nullptr) unknown_control(control);
  return object;
}

std::string frmMain::text(std::string_view control) const {
  if (control == control::DialogFileName) return job_text(dialog_file_name_, true);
  if (control == control::Status) return job_text(status_panel_->text(), false);
  return job_text(text_box(control)->text(), is_path(control));
}

void frmMain::set_text(std::string_view control, const std::string& value) {
  const QString shown = shown_text(value, is_path(control));
  if (control == control::DialogFileName) {
    dialog_file_name_ = shown;
  } else if (control == control::Status) {
    status_panel_->setText(shown);
  } else {
    text_box(control)->setText(shown);
  }
}

int frmMain::check_value(std::string_view control) const {
  switch (check_box(control)->checkState()) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    case Qt::Unchecked:
      break;
  }
  return 0;
}

void frmMain::set_check_value(std::string_view control, int value) {
  auto* box = check_box(control);
  if (value == 2) box->setTristate(true);
  box->setCheckState(value == 0 ? Qt::Unchecked
                                : (value == 2 ? Qt::PartiallyChecked : Qt::Checked));
}

bool frmMain::enabled(std::string_view control) const {
  QObject* object = named_control(control);
  if (auto* menu = qobject_cast<QMenu*>(object)) return menu->menuAction()->isEnabled();
  if (auto* action = qobject_cast<QAction*>(object)) return action->isEnabled();
  return static_cast<QWidget*>(object)->isEnabledTo(this);
}

void frmMain::set_enabled(std::string_view control, bool enabled) {
  QObject* object = named_control(control);
  if (auto* menu = qobject_cast<QMenu*>(object)) {
    menu->menuAction()->setEnabled(enabled);
  } else if (auto* action = qobject_cast<QAction*>(object)) {
    action->setEnabled(enabled);
  } else {
    static_cast<QWidget*>(object)->setEnabled(enabled);
  }
}

void frmMain::set_progress(float value) {
  progress_ = value < 0.0f ? 0.0f : (value > 100.0f ? 100.0f : value);
  PBarLoading_->setValue(static_cast<int>(progress_));
}

void frmMain::refresh() {
  repaint();
}

void frmMain::process_pending_events() {
  QCoreApplication::processEvents();
}

MessageResult frmMain::message_box(const std::string& text, MessageIcon icon,
                                   MessageButtons buttons, const std::string& title) {
  return show_message_box(this, display_text(text), icon, buttons, display_text(title));
}

bool frmMain::option_selected(std::string_view option) const {
  auto* button = findChild<QRadioButton*>(qt_name(option));
  if (button == nullptr) unknown_control(option);
  return button->isChecked();
}

}  // namespace kalvor
