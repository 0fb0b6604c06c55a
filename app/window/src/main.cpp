// The program KALVOR: shows the main window and runs until it is closed.
// "--help" and "--version" print and exit without opening the window, so
// that they work without a display.
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "command/convert_command.h"
#include "window/frm_main.h"
#include "window/program.h"

namespace {

const char* const kUsage =
    "Usage: kalvor [--help] [--version] [Qt options]\n"
    "\n"
    "Opens the KALVOR window, which converts a road-traffic-noise model (HFANoise,\n"
    "HFCNoise, SoundPLAN, RoadNoise or TNIA v2.0 workbook) into an exchange report.\n"
    "Help > Contents in the window opens the user guide; for conversions from the\n"
    "command line see kalvor-convert(1).\n"
    "\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n"
    "Qt's standard options (-style, -platform, ...) are accepted as well.\n";

enum class Request { OpenWindow, Help, Version };

Request request_of(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
      return Request::Help;
    if (std::strcmp(argv[i], "--version") == 0) return Request::Version;
  }
  return Request::OpenWindow;
}

// Writes the text to standard output; a text that cannot be written (a full
// disk, a closed pipe) is a failure, not a success.
int print(const std::string& text) {
  const bool written = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
  return written ? 0 : 1;
}

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
  switch (request_of(argc, argv)) {
    case Request::Help:
      return print(kUsage);
    case Request::Version:
      return print("kalvor " + kalvor::compose_window_title(kalvor::program_version()) + "\n");
    case Request::OpenWindow:
      break;
  }
  return Main(argc, argv);
}
