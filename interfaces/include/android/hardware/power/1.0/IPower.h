// android.hardware.power@1.0::IPower (from IPower.hal), methods in slot order.
#pragma once

#include <android/hardware/power/1.0/types.h>
#include <hidl/HidlInterface.h>

#include <functional>

namespace android {
namespace hardware {
namespace power {
namespace V1_0 {

struct IPower : public ::android::hidl::base::V1_0::IBase {
  HIDL_INTERFACE_COMMON(IPower, "android.hardware.power@1.0::IPower",
                        ::android::hidl::base::V1_0::IBase)

  using getPlatformLowPowerStats_cb =
      std::function<void(const hidl_vec<PowerStatePlatformSleepState>& states, Status retval)>;

  virtual Return<void> setInteractive(bool interactive) = 0;
  virtual Return<void> powerHint(PowerHint hint, int32_t data) = 0;
  virtual Return<void> setFeature(Feature feature, bool activate) = 0;
  virtual Return<void> getPlatformLowPowerStats(getPlatformLowPowerStats_cb _hidl_cb) = 0;
};

}  // namespace V1_0
}  // namespace power
}  // namespace hardware
}  // namespace android
