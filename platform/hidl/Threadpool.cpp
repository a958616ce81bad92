// The RPC thread pool. Calls between components of one host process are
// direct, so a pool thread has nothing to serve: joining waits until the
// process is asked to stop.
#include <hidl/HidlTransportSupport.h>
#include <hidl/ServiceManagementTesting.h>

#include <condition_variable>
#include <mutex>

#include "Threadpool.h"

namespace android {
namespace hardware {

namespace {

struct Pool {
  std::mutex lock;
  std::condition_variable stopped;
  bool stopRequested = false;
  testing::ThreadpoolConfiguration config{false, 0, false};
};

Pool& pool() {
  static Pool* p = new Pool();
  return *p;
}

}  // namespace

void configureRpcThreadpool(size_t maxThreads, bool callerWillJoin) {
  Pool& p = pool();
  std::lock_guard<std::mutex> guard(p.lock);
  p.config = testing::ThreadpoolConfiguration{true, maxThreads, callerWillJoin};
}

void joinRpcThreadpool() {
  Pool& p = pool();
  std::unique_lock<std::mutex> guard(p.lock);
  p.stopped.wait(guard, [&] { return p.stopRequested; });
}

void stopRpcThreadpool() {
  Pool& p = pool();
  {
    std::lock_guard<std::mutex> guard(p.lock);
    p.stopRequested = true;
  }
  p.stopped.notify_all();
}

namespace details {
void resetThreadpool() {
  Pool& p = pool();
  std::lock_guard<std::mutex> guard(p.lock);
  p.stopRequested = false;
  p.config = testing::ThreadpoolConfiguration{false, 0, false};
}
}  // namespace details

namespace testing {
ThreadpoolConfiguration threadpoolConfiguration() {
  Pool& p = pool();
  std::lock_guard<std::mutex> guard(p.lock);
  return p.config;
}
}  // namespace testing

}  // namespace hardware
}  // namespace android
