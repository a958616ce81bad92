// android.hardware.power@1.1::IPower (from IPower.hal).
#pragma once

#include <android/hardware/power/1.0/IPower.h>
#include <android/hardware/power/1.1/types.h>

namespace android {
namespace hardware {
namespace power {
namespace V1_1 {

using ::android::hardware::power::V1_0::PowerHint;
using ::android::hardware::power::V1_0::Status;

struct IPower : public ::android::hardware::power::V1_0::IPower {
  HIDL_INTERFACE_COMMON(IPower, "android.hardware.power@1.1::IPower",
                        ::android::hardware::power::V1_0::IPower,
                        ::android::hidl::base::V1_0::IBase)

  using getSubsystemLowPowerStats_cb =
      std::function<void(const hidl_vec<PowerStateSubsystem>& subsystems, Status retval)>;

  virtual Return<void> getSubsystemLowPowerStats(getSubsystemLowPowerStats_cb _hidl_cb) = 0;
  virtual Return<void> powerHintAsync(PowerHint hint, int32_t data) = 0;
};

}  // namespace V1_1
}  // namespace power
}  // namespace hardware
}  // namespace android
