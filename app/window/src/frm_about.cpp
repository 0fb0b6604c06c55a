#include "window/frm_about.h"

#include <QGridLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include "command/convert_command.h"
#include "window/message_box.h"
#include "window/program.h"
#include "window/string_table.h"

namespace kalvor {
namespace {

template <typename Control>
Control* tagged(QWidget* parent, const char* name, int tag) {
  auto* control = new Control(parent);
  control->setObjectName(QString::fromUtf8(name));
  control->setProperty(kTagProperty, tag);
  return control;
}

QString version_text() {
  const Version v = program_version();
  return QStringLiteral("Version %1.%2.%3 %4")
      .arg(v.major)
      .arg(v.minor)
      .arg(v.revision)
      .arg(QString::fromUtf8(kProgramComment));
}

// The first system-information program found on the search path.
QString system_info_program() {
  for (const char* name : frmAbout::kSystemInfoPrograms) {
    QString found = QStandardPaths::findExecutable(QString::fromUtf8(name));
    if (!found.isEmpty()) return found;
  }
  return {};
}

}  // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("frmAbout"));
  setProperty(kTagProperty, 1050);
  setModal(true);

  auto* picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setPixmap(QPixmap(QStringLiteral(":/kalvor/kalvor-logo.png")));
  lblTitle_ = tagged<QLabel>(this, "lblTitle", 1055);
  lblVersion_ = tagged<QLabel>(this, "lblVersion", 1054);
  auto* lblDescription = tagged<QLabel>(this, "lblDescription", 1056);
  auto* lblDisclaimer = tagged<QLabel>(this, "lblDisclaimer", 1053);
  auto* cmdOK = tagged<QPushButton>(this, "cmdOK", 1052);
  auto* cmdSysInfo = tagged<QPushButton>(this, "cmdSysInfo", 1051);
  lblTitle_->setStyleSheet(QStringLiteral("font-weight: bold"));
  lblDescription->setWordWrap(true);
  cmdOK->setDefault(true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
  grid->addWidget(lblTitle_, 0, 1);
  grid->addWidget(lblVersion_, 1, 1);
  grid->addWidget(lblDescription, 2, 1);
  grid->addWidget(lblDisclaimer, 3, 0, 1, 2);
  grid->addWidget(cmdOK, 0, 2);
  grid->addWidget(cmdSysInfo, 3, 2);
  grid->setColumnStretch(1, 1);

  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdSysInfo, &QPushButton::clicked, this, [this] { StartSysInfo(); });
  Form_Load();
}

void frmAbout::Form_Load() {
  LoadResStrings(*this);
  lblVersion_->setText(version_text());
  lblTitle_->setText(QStringLiteral("[%1]").arg(QString::fromUtf8(kProgramTitle)));
}

void frmAbout::StartSysInfo() {
  const QString program = system_info_program();
  if (!program.isEmpty() && QProcess::startDetached(program, {})) return;
  show_message_box(this, QStringLiteral("System Information Is Unavailable At This Time"),
                   MessageIcon::None, MessageButtons::Ok, QString::fromUtf8(kProgramTitle));
}

}  // namespace kalvor
