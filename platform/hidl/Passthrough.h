// Loading passthrough implementations (internal to the runtime).
#pragma once

#include <string>

namespace android {
namespace hardware {
namespace details {

// Searches the hw folders for "<package>@<version>-impl.so" and returns its
// HIDL_FETCH_I<Name>, or null. The library stays loaded.
void* loadPassthroughFetch(const std::string& descriptor);

}  // namespace details
}  // namespace hardware
}  // namespace android
