// The program KALVOR: shows the main window and runs until it is closed.
#include <QApplication>

#include "window/frm_main.h"
#include "window/program.h"

namespace {

int Main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QString::fromUtf8(kalvor::kSettingsOrganisation));
  QApplication::setApplicationName(QString::fromUtf8(kalvor::kProgramTitle));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/kalvor/kalvor-logo.png")));
  kalvor::frmMain window;
  window.show();
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  return Main(argc, argv);
}
