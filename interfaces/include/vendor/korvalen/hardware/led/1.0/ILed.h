// vendor.korvalen.hardware.led@1.0::ILed (from ILed.hal).
#pragma once

#include <hidl/HidlInterface.h>
#include <vendor/korvalen/hardware/led/1.0/types.h>

namespace vendor {
namespace korvalen {
namespace hardware {
namespace led {
namespace V1_0 {

struct ILed : public ::android::hidl::base::V1_0::IBase {
  HIDL_INTERFACE_COMMON(ILed, "vendor.korvalen.hardware.led@1.0::ILed",
                        ::android::hidl::base::V1_0::IBase)

  virtual ::android::hardware::Return<Status> setLed(int32_t id, uint32_t argb) = 0;
};

}  // namespace V1_0
}  // namespace led
}  // namespace hardware
}  // namespace korvalen
}  // namespace vendor
