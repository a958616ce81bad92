// vendor.korvalen.hardware.power@2.0::IPower (from IPower.hal), methods in slot order.
#pragma once

#include <android/hardware/power/1.2/IPower.h>
#include <vendor/korvalen/hardware/power/2.0/types.h>

namespace vendor {
namespace korvalen {
namespace hardware {
namespace power {
namespace V2_0 {

struct IPower : public ::android::hardware::power::V1_2::IPower {
  HIDL_INTERFACE_COMMON(IPower, "vendor.korvalen.hardware.power@2.0::IPower",
                        ::android::hardware::power::V1_2::IPower,
                        ::android::hardware::power::V1_1::IPower,
                        ::android::hardware::power::V1_0::IPower,
                        ::android::hidl::base::V1_0::IBase)

  template <typename T>
  using R = ::android::hardware::Return<T>;

  virtual R<void> zyrPowerHint(ZyrPowerHint hint, int32_t data) = 0;
  virtual R<void> zyrCusPowerHint(int32_t hint, int32_t data) = 0;
  virtual R<void> notifyAppState(const ::android::hardware::hidl_string& packName,
                                 const ::android::hardware::hidl_string& actName, int32_t pid,
                                 ZyrActState state) = 0;
  virtual R<int32_t> querySysInfo(ZyrQueryCmd cmd, int32_t param) = 0;
  virtual R<int32_t> scnReg() = 0;
  virtual R<void> scnConfig(int32_t hdl, ZyrPowerCmd cmd, int32_t param1, int32_t param2,
                            int32_t param3, int32_t param4) = 0;
  virtual R<void> scnUnreg(int32_t hdl) = 0;
  virtual R<void> scnEnable(int32_t hdl, int32_t timeout) = 0;
  virtual R<void> scnDisable(int32_t hdl) = 0;
  virtual R<void> scnUltraCfg(int32_t hdl, int32_t ultracmd, int32_t param1, int32_t param2,
                              int32_t param3, int32_t param4) = 0;
};

}  // namespace V2_0
}  // namespace power
}  // namespace hardware
}  // namespace korvalen
}  // namespace vendor
