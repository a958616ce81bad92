// The RPC thread pool of a service process.
#pragma once

#include <cstddef>

namespace android {
namespace hardware {

void configureRpcThreadpool(size_t maxThreads, bool callerWillJoin);
// Serves calls on the calling thread until the process is asked to stop
// (stopRpcThreadpool); then returns.
void joinRpcThreadpool();
// Asks the process to stop: every join, current and later, returns.
void stopRpcThreadpool();

}  // namespace hardware
}  // namespace android
