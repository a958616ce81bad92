// Thread-pool state shared with the test hooks (internal to the runtime).
#pragma once

namespace android {
namespace hardware {
namespace details {

void resetThreadpool();

}  // namespace details
}  // namespace hardware
}  // namespace android
