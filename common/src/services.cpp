#include "quillan/services.h"

namespace quillan {

namespace {
Host* g_host = nullptr;
FileObserver* g_observer = nullptr;
}  // namespace

Host* install_host(Host* host) {
  Host* previous = g_host;
  g_host = host;
  return previous;
}

FileObserver* install_file_observer(FileObserver* observer) {
  FileObserver* previous = g_observer;
  g_observer = observer;
  return previous;
}

Host* current_host() {
  return g_host;
}
FileObserver* current_file_observer() {
  return g_observer;
}

}  // namespace quillan
