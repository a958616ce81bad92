// vendor.korvalen.hardware.pq@2.1::IPictureQuality (from IPictureQuality.hal).
#pragma once

#include <vendor/korvalen/hardware/pq/2.0/IPictureQuality.h>

namespace vendor {
namespace korvalen {
namespace hardware {
namespace pq {
namespace V2_1 {

using ::vendor::korvalen::hardware::pq::V2_0::Result;

struct IPictureQuality : public ::vendor::korvalen::hardware::pq::V2_0::IPictureQuality {
  HIDL_INTERFACE_COMMON(IPictureQuality, "vendor.korvalen.hardware.pq@2.1::IPictureQuality",
                        ::vendor::korvalen::hardware::pq::V2_0::IPictureQuality,
                        ::android::hidl::base::V1_0::IBase)

  virtual ::android::hardware::Return<Result> setSmartBacklightStrength(int32_t level) = 0;
};

}  // namespace V2_1
}  // namespace pq
}  // namespace hardware
}  // namespace korvalen
}  // namespace vendor
