// Times one HFANoise conversion through the main window, as a user would run
// it, and prints the wall time in seconds. The window is shown on the
// platform Qt picks (QT_QPA_PLATFORM=offscreen without a display); the
// "Done" box is answered at once.
//
// usage: window_time_conversion INPUT OUTPUT [LAYOUT_BARRIER_FILE]
#include <QApplication>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>

#include "window/frm_main.h"

namespace {

void fill_job(kalvor::frmMain& window, int argc, char** argv) {
  namespace control = kalvor::control;
  window.findChild<QRadioButton*>(QStringLiteral("optHFA"))->setChecked(true);
  window.set_text(control::InputPath, argv[1]);
  window.set_text(control::OutputPath, argv[2]);
  window.set_text(control::Consultant, "C");
  window.set_text(control::Phone, "P");
  window.set_text(control::Fax, "F");
  window.set_text(control::Email, "E");
  window.set_text(control::Coordinate, "HK1980 Grid");
  window.set_text(control::YearTrafficFlow, "2031");
  if (argc > 3) {
    window.set_check_value(control::LayoutBarrierSwitch, 1);
    window.set_text(control::LayoutBarrierFile, argv[3]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: window_time_conversion INPUT OUTPUT [LAYOUT_BARRIER_FILE]\n", stderr);
    return 2;
  }
  QApplication app(argc, argv);
  kalvor::frmMain window;
  window.show();
  fill_job(window, argc, argv);

  QTimer answer_done;
  QObject::connect(&answer_done, &QTimer::timeout, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  answer_done.start(5);

  QElapsedTimer clock;
  clock.start();
  window.Convert();
  const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
  if (!window.command().last_conversion_succeeded()) {
    std::fprintf(stderr, "window_time_conversion: %s\n", window.command().last_failure().c_str());
    return 1;
  }
  std::printf("%.2f\n", seconds);
  return 0;
}
