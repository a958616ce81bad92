// android.hardware.power@1.2::IPower (from IPower.hal).
#pragma once

#include <android/hardware/power/1.1/IPower.h>
#include <android/hardware/power/1.2/types.h>

namespace android {
namespace hardware {
namespace power {
namespace V1_2 {

struct IPower : public ::android::hardware::power::V1_1::IPower {
  HIDL_INTERFACE_COMMON(IPower, "android.hardware.power@1.2::IPower",
                        ::android::hardware::power::V1_1::IPower,
                        ::android::hardware::power::V1_0::IPower,
                        ::android::hidl::base::V1_0::IBase)

  virtual Return<void> powerHintAsync_1_2(::android::hardware::power::V1_2::PowerHint hint,
                                          int32_t data) = 0;
};

}  // namespace V1_2
}  // namespace power
}  // namespace hardware
}  // namespace android
