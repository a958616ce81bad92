// vendor.quorvantis.hardware.capi@2.0::IClientApiDevice (from
// IClientApiDevice.hal), methods in slot order.
#pragma once

#include <hidl/HidlInterface.h>
#include <vendor/quorvantis/hardware/capi/2.0/types.h>

#include <functional>

namespace vendor {
namespace quorvantis {
namespace hardware {
namespace capi {
namespace V2_0 {

struct IClientApiDevice : public ::android::hidl::base::V1_0::IBase {
  HIDL_INTERFACE_COMMON(IClientApiDevice, "vendor.quorvantis.hardware.capi@2.0::IClientApiDevice",
                        ::android::hidl::base::V1_0::IBase)

  using createMmapBuffer_cb =
      std::function<void(ErrorCode error, int32_t id, const MmapBufferInfo& info)>;
  using registerSharedFileDescriptor_cb =
      std::function<void(ErrorCode error, const MmapBufferInfo& info)>;

  virtual ::android::hardware::Return<int32_t> capi_transact(
      uint32_t code, const ::android::hardware::hidl_memory& data) = 0;
  virtual ::android::hardware::Return<void> createMmapBuffer(int32_t fd, uint64_t size,
                                                             createMmapBuffer_cb _hidl_cb) = 0;
  virtual ::android::hardware::Return<void> registerSharedFileDescriptor(
      int32_t fd, int32_t shareFd, registerSharedFileDescriptor_cb _hidl_cb) = 0;
};

}  // namespace V2_0
}  // namespace capi
}  // namespace hardware
}  // namespace quorvantis
}  // namespace vendor
