#include "window/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
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

#include "plan/plan_window.h"
#include "platform/files.h"
#include "report/report_reader.h"
#include "window/dialog_filters.h"
#include "window/file_drops.h"
#include "window/frm_about.h"
#include "window/message_box.h"
#include "window/program.h"
#include "window/string_table.h"

namespace kalvor {

namespace {

constexpr const char* kInputFilter =
    "All files(*.*)|*.*|Data files(*.dat)|*.dat|Master files(*.mas)|*.mas|Text files(*.txt)|*.txt|"
    "MS Excel files(*.xls;*.xlsx)|*.xls;*.xlsx";
constexpr const char* kOutputFilter = "Text files(*.txt)|*.txt";
constexpr const char* kLayoutBarrierFilter =
    "All files(*.*)|*.*|Data files(*.dat)|*.dat|Text files(*.txt)|*.txt";
constexpr const char* kOpenTitle = "Open Input file for Conversion";
constexpr const char* kCreateTitle = "Create Output file for Conversion";
constexpr const char* kCancelled = "Cancelled";
constexpr const char* kReportFilter = "Text files(*.txt)|*.txt|All files(*.*)|*.*";

// A person sees no change faster than this; during a conversion the window
// processes events and repaints at most this often (milliseconds).
constexpr qint64 kEventInterval = 50;

// Whether `clock` has run at least kEventInterval since it was last due (or
// was never started); restarts it when it has.
bool due(QElapsedTimer& clock) {
  if (clock.isValid() && clock.elapsed() < kEventInterval) return false;
  clock.start();
  return true;
}

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

bool is_drag(const QEvent& event) {
  return event.type() == QEvent::DragEnter || event.type() == QEvent::DragMove ||
         event.type() == QEvent::Drop;
}

bool is_escape(const QEvent& event) {
  return event.type() == QEvent::KeyPress &&
         static_cast<const QKeyEvent&>(event).key() == Qt::Key_Escape;
}

// Accepts a drag (on entering and moving) or refuses it.
void answer_drag(QEvent& event, bool accepted) {
  auto& drop = static_cast<QDropEvent&>(event);
  if (accepted) {
    drop.setDropAction(Qt::CopyAction);
    drop.accept();
  } else {
    drop.ignore();
  }
}

// The caption with an Alt shortcut on the first `letter` (either case) it
// holds.
QString with_mnemonic(std::string_view caption, QChar letter) {
  QString text = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
  const qsizetype at = text.indexOf(letter, 0, Qt::CaseInsensitive);
  if (at >= 0) text.insert(at, QLatin1Char('&'));
  return text;
}

// The one-line summary of a report, read back from the file; reading it
// back also proves that the report parses.
QString report_summary(const QString& report) {
  try {
    const std::string path = QFile::encodeName(report).toStdString();
    return QString::fromStdString(report::summary_line(
        QFile::encodeName(QFileInfo(report).fileName()).toStdString(), report::read_report(path)));
  } catch (const std::exception& e) {
    return QStringLiteral("%1: the report cannot be read back: %2")
        .arg(QFileInfo(report).fileName(), QString::fromStdString(e.what()));
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
  for (auto* dialog : {openInputDialog_, saveOutputDialog_})
    dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
  openInputDialog_->setAcceptMode(QFileDialog::AcceptOpen);
  openInputDialog_->setFileMode(QFileDialog::ExistingFile);
  // A real save dialog: it asks before replacing a file and names the
  // report ".txt" when the user types no extension.
  saveOutputDialog_->setAcceptMode(QFileDialog::AcceptSave);
  saveOutputDialog_->setFileMode(QFileDialog::AnyFile);
  saveOutputDialog_->setDefaultSuffix(QStringLiteral("txt"));
  setAcceptDrops(true);

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
  // Extra height goes below the form, not into its controls.
  layout->addStretch(1);

  command_ = std::make_unique<ConvertCommand>(*this);
  help_file_ = installed_help_file();
  connect_reactions();
  set_tab_order();
  Form_Load();
  RestoreSettings();
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
  lblInput_ = make_label("lblInput", "&Input file:");
  txtInputFilePath_ = make_text_box(control::InputPath);
  lblInput_->setBuddy(txtInputFilePath_);
  grid->addWidget(lblInput_, 0, 0);
  grid->addWidget(txtInputFilePath_, 0, 1, 1, 2);
  grid->addWidget(make_button("cmdBrowseInput", "Browse..."), 0, 3);

  txtOutputFilePath_ = make_text_box(control::OutputPath);
  auto* lblOutput = make_label("lblOutput", "&Output file:");
  lblOutput->setBuddy(txtOutputFilePath_);
  grid->addWidget(lblOutput, 1, 0);
  grid->addWidget(txtOutputFilePath_, 1, 1, 1, 2);
  grid->addWidget(make_button("cmdBrowseOutput", "Browse..."), 1, 3);

  WithLayBar_chk_ = named<QCheckBox>(nullptr, "WithLayBar_chk");
  WithLayBar_chk_->setText(QStringLiteral("With Layout &Barrier"));
  WithLayBar_lbl_ = make_label("WithLayBar_lbl", "Fi&le:");
  WithLayBar_txt_ = make_text_box(control::LayoutBarrierFile);
  WithLayBar_lbl_->setBuddy(WithLayBar_txt_);
  WithLayBar_cmd_ = make_button("WithLayBar_cmd", "Browse...");
  grid->addWidget(WithLayBar_chk_, 2, 0);
  grid->addWidget(WithLayBar_lbl_, 2, 1);
  grid->addWidget(WithLayBar_txt_, 2, 2);
  grid->addWidget(WithLayBar_cmd_, 2, 3);
  for (QWidget* control : std::initializer_list<QWidget*>{WithLayBar_chk_, WithLayBar_lbl_,
                                                          WithLayBar_txt_, WithLayBar_cmd_}) {
    control->setEnabled(false);
  }
  // Extra width widens the path boxes.
  grid->setColumnStretch(2, 1);
  return rows;
}

QWidget* frmMain::build_info_frame() {
  struct Detail {
    const char* label_name;
    const char* caption;
    std::string_view box;
  };
  static const Detail kDetails[] = {
      {"lblNameOfConsultant", "&Name of Consultant :", control::Consultant},
      {"lblPhoneNum", "Tele&phone Number :", control::Phone},
      {"lblFaxNum", "F&ax Number :", control::Fax},
      {"lblEmail", "&Email :", control::Email},
      {"lblCoordinate", "Coor&dinate System used :", control::Coordinate},
      {"Label1", "&Year of Traffic Flow used :", control::YearTrafficFlow},
  };
  auto* frame = named<QGroupBox>(nullptr, "FmeInfo");
  frame->setTitle(QStringLiteral("Additional Information"));
  auto* form = new QFormLayout(frame);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  for (const auto& detail : kDetails) {
    QLineEdit* box = make_text_box(detail.box);
    QLabel* label = make_label(detail.label_name, detail.caption);
    label->setBuddy(box);
    form->addRow(label, box);
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
  cmdConvert2KALVOR_ = make_button("cmdConvert2KALVOR", "&Convert");
  // Stands in the Convert button's place while a conversion runs.
  cmdCancel_ = make_button("cmdCancel", "Cancel");
  cmdCancel_->hide();
  // Offered once a conversion has written a report.
  cmdShowPlan_ = make_button("cmdShowPlan", "Show &Plan");
  cmdShowPlan_->hide();
  layout->addWidget(cmdShowPlan_);
  layout->addWidget(cmdConvert2KALVOR_);
  layout->addWidget(cmdCancel_);
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
  build_plan_menu(view);
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
  // Greyed with the File menu, whose entries its buttons are.
  connect(findChild<QMenu*>(QStringLiteral("mnuFile"))->menuAction(), &QAction::enabledChanged,
          toolbar, &QWidget::setEnabled);
}

void frmMain::build_plan_menu(QMenu* view) {
  view->addSeparator();
  auto* plan = named<QMenu>(view, "mnuViewPlan");
  plan->setTitle(QStringLiteral("&Plan"));
  view->addMenu(plan);
  mnuViewPlanShow_ = named<QAction>(plan, "mnuViewPlanShow");
  mnuViewPlanShow_->setText(QStringLiteral("&Show Plan"));
  mnuViewPlanShow_->setEnabled(false);
  plan->addAction(mnuViewPlanShow_);
  auto* open = named<QAction>(plan, "mnuViewPlanOpen");
  open->setText(QStringLiteral("&Open report\u2026"));
  plan->addAction(open);
}

void frmMain::connect_reactions() {
  for (auto* box : centralWidget()->findChildren<QLineEdit*>()) {
    connect(box, &QLineEdit::textChanged, this, [this] { command_->CheckConvertReady(); });
    // Enter in any field converts once the job is ready.
    connect(box, &QLineEdit::returnPressed, this, [this] {
      if (cmdConvert2KALVOR_->isEnabled() && command_->ControlsEnabled()) Convert();
    });
    box->installEventFilter(this);
  }
  connect(txtCoordinate_, &QLineEdit::textEdited, this, [this] { coordinate_is_default_ = false; });
  connect(WithLayBar_chk_, &QCheckBox::stateChanged, this, [this] { WithLayBar_chk_Click(); });

  auto on_click = [this](const char* name, void (frmMain::*reaction)()) {
    connect(findChild<QPushButton*>(QString::fromUtf8(name)), &QPushButton::clicked, this,
            [this, reaction] { (this->*reaction)(); });
  };
  on_click("cmdBrowseInput", &frmMain::cmdBrowseInput_Click);
  on_click("cmdBrowseOutput", &frmMain::cmdBrowseOutput_Click);
  on_click("WithLayBar_cmd", &frmMain::WithLayBar_cmd_Click);
  on_click("cmdExit", &frmMain::cmdExit_Click);
  connect(cmdConvert2KALVOR_, &QPushButton::clicked, this, [this] { Convert(); });
  connect(cmdCancel_, &QPushButton::clicked, this, [this] { CancelConversion(); });

  auto on_menu = [this](const char* name, auto reaction) {
    connect(findChild<QAction*>(QString::fromUtf8(name)), &QAction::triggered, this, reaction);
  };
  on_menu("mnuFileInput", [this] { cmdBrowseInput_Click(); });
  on_menu("mnuFileOutput", [this] { cmdBrowseOutput_Click(); });
  on_menu("mnuConvert", [this] { Convert(); });
  on_menu("mnuFileExit", [this] { close(); });
  on_menu("mnuHelpContents", [this] { mnuHelpContents_Click(); });
  on_menu("mnuHelpAbout", [this] { mnuHelpAbout_Click(); });
  on_menu("mnuViewPlanShow", [this] { ShowPlan(); });
  on_menu("mnuViewPlanOpen", [this] { OpenReportPlan(); });
  connect(cmdShowPlan_, &QPushButton::clicked, this, [this] { ShowPlan(); });
}

// Format choice first, then the files, the project details and the
// commands, as they are read on the screen.
void frmMain::set_tab_order() {
  QList<QWidget*> order;
  for (const InputFormat& format : input_formats())
    order << findChild<QRadioButton*>(qt_name(format.option));
  order << txtInputFilePath_ << findChild<QPushButton*>(QStringLiteral("cmdBrowseInput"))
        << txtOutputFilePath_ << findChild<QPushButton*>(QStringLiteral("cmdBrowseOutput"))
        << WithLayBar_chk_ << WithLayBar_txt_ << WithLayBar_cmd_;
  for (auto* box : findChild<QGroupBox*>(QStringLiteral("FmeInfo"))->findChildren<QLineEdit*>())
    order << box;
  order << cmdShowPlan_ << cmdConvert2KALVOR_ << cmdCancel_
        << findChild<QPushButton*>(QStringLiteral("cmdExit"));
  for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
  order.constFirst()->setFocus();
}

void frmMain::Form_Load() {
  LoadResStrings(*this);
  setWindowTitle(QString::fromStdString(WindowTitle()));
  // The menu entry follows the button, so neither bypasses the readiness
  // check before the fields are filled.
  set_enabled(control::ConvertButton, false);
  set_enabled(control::ConvertMenu, false);
}

// A coordinate system the user typed stays; only a default that a format
// filled in gives way to the new format's default (or to nothing).
void frmMain::choose_format(const InputFormat& format) {
  if (txtCoordinate_->text().isEmpty() || coordinate_is_default_) {
    txtCoordinate_->setText(qt_text(format.default_coordinate));
    coordinate_is_default_ = !format.default_coordinate.empty();
  }
  set_input_label(format.input_label);
  ResetWithLayBar(format.layout_barriers);
  command_->CheckConvertReady();
}

// Alt+I reaches the input box whatever the format calls it.
void frmMain::set_input_label(std::string_view caption) {
  lblInput_->setText(with_mnemonic(caption, QLatin1Char('i')));
}

void frmMain::select_format(const InputFormat& format) {
  findChild<QRadioButton*>(qt_name(format.option))->setChecked(true);
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

// Shows a file dialog; the chosen path, or a null text when the user
// cancelled.
QString frmMain::browse(QFileDialog& dialog, const char* title, const char* filter) {
  dialog.setWindowTitle(QString::fromUtf8(title));
  dialog.setNameFilters(qt_name_filters(filter));
  dialog.selectFile(QString());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

void frmMain::cmdBrowseInput_Click() {
  QString chosen = browse(*openInputDialog_, kOpenTitle, kInputFilter);
  if (chosen.isNull()) return;
  txtInputFilePath_->setText(chosen);
  input_folder_ = QFileInfo(chosen).absolutePath();
}

void frmMain::cmdBrowseOutput_Click() {
  QString chosen = browse(*saveOutputDialog_, kCreateTitle, kOutputFilter);
  if (chosen.isNull()) return;
  txtOutputFilePath_->setText(chosen);
  output_folder_ = QFileInfo(chosen).absolutePath();
}

void frmMain::WithLayBar_cmd_Click() {
  QString chosen = browse(*openInputDialog_, kOpenTitle, kLayoutBarrierFilter);
  if (chosen.isNull()) return;
  WithLayBar_txt_->setText(chosen);
  input_folder_ = QFileInfo(chosen).absolutePath();
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

void frmMain::Convert() {
  trim_path_boxes();
  if (!confirm_unheld_characters()) return;
  // The report is dated by the file being converted, whichever file was
  // browsed last.
  dialog_file_name_ = txtInputFilePath_->text();
  clear_cancellation_request();
  since_events_.invalidate();
  since_repaint_.invalidate();
  converting_ = true;
  show_cancel(true);
  const ConversionOutcome outcome = command_->cmdConvert2KALVOR_Click();
  show_cancel(false);
  converting_ = false;
  // A request that came after the converter's last look must not stop the
  // next conversion.
  clear_cancellation_request();
  if (outcome.cancelled) status_panel_->setText(QString::fromUtf8(kCancelled));
  if (outcome.succeeded) status_panel_->setText(last_summary_);
  offer_plan_of(outcome.succeeded ? txtOutputFilePath_->text() : QString());
  if (close_after_conversion_) close();
}

// Show Plan (button and menu entry) is offered while there is a report of
// the last conversion to show.
void frmMain::offer_plan_of(const QString& report) {
  last_report_ = report;
  cmdShowPlan_->setVisible(!report.isEmpty());
  mnuViewPlanShow_->setEnabled(!report.isEmpty());
}

void frmMain::ShowPlan() {
  if (!last_report_.isEmpty()) show_plan_of(last_report_);
}

void frmMain::OpenReportPlan() {
  QFileDialog dialog(this);
  dialog.setObjectName(QStringLiteral("openReportDialog"));
  dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (!last_report_.isEmpty()) dialog.setDirectory(QFileInfo(last_report_).absolutePath());
  const QString chosen = browse(dialog, "Open report", kReportFilter);
  if (!chosen.isNull()) show_plan_of(chosen);
}

// One plan window, owned by this one (closing the main window closes it).
void frmMain::show_plan_of(const QString& report) {
  if (plan_window_ == nullptr) {
    plan_window_ = new plan::PlanWindow(this);
    plan_window_->setWindowFlag(Qt::Window);
  }
  const QString error = plan_window_->open_report(report);
  if (!error.isEmpty()) {
    show_message_box(this, error, MessageIcon::Exclamation, MessageButtons::Ok, windowTitle());
    return;
  }
  plan_window_->show();
  plan_window_->raise();
  plan_window_->activateWindow();
}

void frmMain::CancelConversion() {
  if (converting_) request_cancellation();
}

void frmMain::show_cancel(bool shown) {
  cmdConvert2KALVOR_->setVisible(!shown);
  cmdCancel_->setVisible(shown);
  if (shown) cmdCancel_->setFocus();
}

// Blanks around a path (pasted from a mail, say) name no file.
void frmMain::trim_path_boxes() {
  for (QLineEdit* box : {txtInputFilePath_, txtOutputFilePath_, WithLayBar_txt_}) {
    const QString trimmed = box->text().trimmed();
    if (trimmed != box->text()) box->setText(trimmed);
  }
}

// The report is Windows-1252 text: characters it cannot hold become "?".
// The user decides whether that will do.
bool frmMain::confirm_unheld_characters() {
  QString details;
  for (auto name : {control::Consultant, control::Phone, control::Fax, control::Email,
                    control::Coordinate, control::YearTrafficFlow})
    details += text_box(name)->text();
  const QString unheld =
      QString::fromStdString(platform::characters_outside_windows1252(details.toStdString()));
  if (unheld.isEmpty()) return true;
  QStringList characters;
  for (QChar c : unheld) {
    if (c.isLowSurrogate() && !characters.isEmpty())
      characters.last() += c;
    else
      characters << QString(c);
  }
  const QString question = QStringLiteral(
                               "The report cannot hold these characters of the job details: %1\n"
                               "They will be written as '?'. Convert anyway?")
                               .arg(characters.join(QLatin1Char(' ')));
  return show_message_box(this, question, MessageIcon::Exclamation, MessageButtons::YesNo,
                          windowTitle()) == MessageResult::Yes;
}

bool frmMain::ask_to_cancel_on_close() {
  return show_message_box(
             this, QStringLiteral("A conversion is running. Cancel it and close the window?"),
             MessageIcon::Question, MessageButtons::YesNo, windowTitle()) == MessageResult::Yes;
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (!window_enabled_) {
    if (converting_ && !close_after_conversion_ && ask_to_cancel_on_close()) {
      close_after_conversion_ = true;
      CancelConversion();
    }
    event->ignore();
    return;
  }
  close_other_windows();
  if (!isMinimized()) SavePlacement();
  SaveSettings();
  event->accept();
}

void frmMain::close_other_windows() {
  const auto windows = QApplication::topLevelWidgets();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if (*it != this && (*it)->isVisible()) (*it)->close();
  }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (!window_enabled_ && belongs_to_window(watched)) return filter_user_input(watched, event);
  if (watched == picLogo_ && event->type() == QEvent::MouseButtonRelease) {
    picLogo_Click();
    return true;
  }
  if (is_drag(*event)) {
    if (auto* box = qobject_cast<QLineEdit*>(watched)) return handle_path_box_drop(*box, event);
  }
  return QMainWindow::eventFilter(watched, event);
}

// While the window is disabled it takes no input and no drops; only the
// Cancel button and Esc reach it during a conversion.
bool frmMain::filter_user_input(QObject* watched, QEvent* event) {
  if (is_drag(*event)) {
    answer_drag(*event, false);
    return true;
  }
  if (!is_user_input(*event)) return false;
  if (converting_ && is_escape(*event)) {
    CancelConversion();
    return true;
  }
  return !(converting_ && watched == cmdCancel_);
}

bool frmMain::is_path_box(const QObject* object) const {
  return object == txtInputFilePath_ || object == txtOutputFilePath_ || object == WithLayBar_txt_;
}

// A file dragged from a file manager replaces a path box's text by its
// native path; on another field it is a drop on the window. Links that are
// not one local file are refused; plain text drops as in any text box.
bool frmMain::handle_path_box_drop(QLineEdit& box, QEvent* event) {
  const QMimeData& data = *static_cast<QDropEvent*>(event)->mimeData();
  if (!carries_links(data)) return false;
  const QString file = dropped_file(data);
  const bool accepted = !file.isNull() && (!is_path_box(&box) || box.isEnabled());
  if (event->type() == QEvent::Drop && accepted) {
    if (is_path_box(&box))
      box.setText(file);
    else
      drop_input_file(data);
  }
  answer_drag(*event, accepted);
  return true;
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
  answer_drag(*event, !dropped_file(*event->mimeData()).isNull());
}

void frmMain::dragMoveEvent(QDragMoveEvent* event) {
  answer_drag(*event, !dropped_file(*event->mimeData()).isNull());
}

void frmMain::dropEvent(QDropEvent* event) {
  answer_drag(*event, drop_input_file(*event->mimeData()));
}

bool frmMain::drop_input_file(const QMimeData& data) {
  const QString file = dropped_file(data);
  if (file.isNull()) return false;
  if (const InputFormat* format = format_of_file(QFile::encodeName(file).toStdString()))
    select_format(*format);
  txtInputFilePath_->setText(file);
  return true;
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

// A repaint that comes sooner than a person can see is left to the next
// event processing.
void frmMain::refresh() {
  if (due(since_repaint_))
    repaint();
  else
    update();
}

void frmMain::process_pending_events() {
  if (due(since_events_)) QCoreApplication::processEvents();
}

MessageResult frmMain::message_box(const std::string& text, MessageIcon icon,
                                   MessageButtons buttons, const std::string& title) {
  return show_message_box(this, display_text(text), icon, buttons, display_text(title));
}

void frmMain::conversion_finished(const ConversionOutcome& outcome, const std::string& title) {
  if (outcome.succeeded) last_summary_ = report_summary(txtOutputFilePath_->text());
  if (!outcome.cancelled) MainWindow::conversion_finished(outcome, title);
}

bool frmMain::option_selected(std::string_view option) const {
  auto* button = findChild<QRadioButton*>(qt_name(option));
  if (button == nullptr) unknown_control(option);
  return button->isChecked();
}

}  // namespace kalvor
