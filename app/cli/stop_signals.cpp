#include "stop_signals.h"

#include <csignal>
#include <initializer_list>

#include "job/cancellation.h"

namespace kalvor::cli {

namespace {

volatile std::sig_atomic_t received = 0;

extern "C" void on_stop_signal(int signal) {
  received = signal;
  request_cancellation();
}

}  // namespace

void stop_on_signals() {
  struct sigaction action {};
  action.sa_handler = on_stop_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

int stop_signal() {
  return received;
}

}  // namespace kalvor::cli
