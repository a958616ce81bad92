// vendor.korvalen.hardware.pq@2.2::IPictureQuality (from IPictureQuality.hal).
#pragma once

#include <vendor/korvalen/hardware/pq/2.1/IPictureQuality.h>

namespace vendor {
namespace korvalen {
namespace hardware {
namespace pq {
namespace V2_2 {

using ::vendor::korvalen::hardware::pq::V2_0::Result;

struct IPictureQuality : public ::vendor::korvalen::hardware::pq::V2_1::IPictureQuality {
  HIDL_INTERFACE_COMMON(IPictureQuality, "vendor.korvalen.hardware.pq@2.2::IPictureQuality",
                        ::vendor::korvalen::hardware::pq::V2_1::IPictureQuality,
                        ::vendor::korvalen::hardware::pq::V2_0::IPictureQuality,
                        ::android::hidl::base::V1_0::IBase)

  virtual ::android::hardware::Return<Result> setColorMatrix3x3(
      const ::android::hardware::hidl_array<int32_t, 3, 3>& matrix, int32_t step) = 0;
};

}  // namespace V2_2
}  // namespace pq
}  // namespace hardware
}  // namespace korvalen
}  // namespace vendor
