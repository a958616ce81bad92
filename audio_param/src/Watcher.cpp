// The handle's watcher thread. It holds its place until appHandleUninit asks it
// to end (appThreadExit, then SIGUSR1); following the custom directory with
// inotify is added here.
#include <signal.h>

#include "Log.h"

extern "C" void* appHandleThreadLoop(void* arg) {
  AppHandle* appHandle = static_cast<AppHandle*>(arg);
  sigset_t usr1;
  sigemptyset(&usr1);
  sigaddset(&usr1, SIGUSR1);
  while (!__atomic_load_n(&appHandle->appThreadExit, __ATOMIC_ACQUIRE)) {
    int sig = 0;
    sigwait(&usr1, &sig);
  }
  return nullptr;
}
