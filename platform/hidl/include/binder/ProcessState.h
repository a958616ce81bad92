// The binder state of this process: one object per process whose thread pool
// is started once. Calls between components of one host process are direct,
// so starting the pool only records that it was asked for.
#pragma once

#include <utils/Errors.h>
#include <utils/RefBase.h>
#include <utils/StrongPointer.h>

#include <atomic>
#include <cstddef>

namespace android {

class ProcessState : public virtual RefBase {
 public:
  static sp<ProcessState> self();

  void startThreadPool();
  bool isThreadPoolStarted() const { return mThreadPoolStarted.load(); }
  status_t setThreadPoolMaxThreadCount(size_t maxThreads);
  void giveThreadPoolName() {}

 private:
  ProcessState() = default;
  std::atomic<bool> mThreadPoolStarted{false};
  std::atomic<size_t> mMaxThreads{0};
};

}  // namespace android
