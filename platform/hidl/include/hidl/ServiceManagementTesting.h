// Test hooks on the service registry and the RPC thread pool of this process.
#pragma once

#include <utils/Errors.h>

#include <cstddef>
#include <string>

namespace android {
namespace hardware {
namespace testing {

// Every later registration fails with `status` (OK: registrations succeed again).
void setRegistrationFailure(status_t status);
// While set, passthrough lookups find nothing.
void setPassthroughDisabled(bool disabled);
// While set, lookups of `descriptor` find nothing, built-in services included.
void setServiceHidden(const std::string& descriptor, bool hidden);
// Drops every registration and clears the hooks above and the thread-pool state.
void resetServiceRegistry();

struct ThreadpoolConfiguration {
  bool configured;
  size_t maxThreads;
  bool callerWillJoin;
};
ThreadpoolConfiguration threadpoolConfiguration();

}  // namespace testing
}  // namespace hardware
}  // namespace android
