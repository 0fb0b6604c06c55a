#include "job/main_window.h"

namespace kalvor {

void MainWindow::conversion_finished(const ConversionOutcome& outcome, const std::string& title) {
  if (outcome.succeeded)
    message_box("Done", MessageIcon::Information, MessageButtons::Ok, title);
  else
    message_box(outcome.failure, MessageIcon::Critical, MessageButtons::Ok, title);
}

}  // namespace kalvor
