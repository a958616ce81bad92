// The per-process binder state and the caller identity of in-process calls.
#include <binder/ProcessState.h>
#include <hwbinder/IPCThreadState.h>

#include <unistd.h>

namespace android {

sp<ProcessState> ProcessState::self() {
  // Kept for the life of the process, as on the handset.
  static ProcessState* instance = [] {
    auto* p = new ProcessState();
    p->incStrong(p);
    return p;
  }();
  return instance;
}

void ProcessState::startThreadPool() { mThreadPoolStarted.store(true); }

status_t ProcessState::setThreadPoolMaxThreadCount(size_t maxThreads) {
  mMaxThreads.store(maxThreads);
  return OK;
}

namespace hardware {

IPCThreadState* IPCThreadState::self() {
  static IPCThreadState state;
  return &state;
}

pid_t IPCThreadState::getCallingPid() const { return getpid(); }
uid_t IPCThreadState::getCallingUid() const { return getuid(); }

}  // namespace hardware
}  // namespace android
