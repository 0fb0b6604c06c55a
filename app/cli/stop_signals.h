// SIGINT, SIGTERM and SIGHUP stop a running conversion at its next
// event-processing point; it then takes the failure path (no report, no
// temporary files, an earlier report kept) and the program exits with
// 128 + the signal's number.
#pragma once

namespace kalvor::cli {

// Installs the handlers. A second signal of the same kind ends the program
// at once, as without them.
void stop_on_signals();

// The signal that asked the conversion to stop, or 0.
int stop_signal();

}  // namespace kalvor::cli
