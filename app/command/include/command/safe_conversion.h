// Runs one converter so that a failure leaves nothing behind: the report is
// written in a private folder beside the output and moved into place only on
// success, a failure to write names the report and its folder, every
// file the conversion created is removed after a failure, every channel is
// closed, and the job details a converter changed are restored.
#pragma once

#include <functional>
#include <string>

#include "job/main_window.h"

namespace kalvor {

ConversionOutcome run_safely(MainWindow& window, const std::function<void(JobDetails&)>& convert);

}  // namespace kalvor
