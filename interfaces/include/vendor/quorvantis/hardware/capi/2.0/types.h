// vendor.quorvantis.hardware.capi@2.0 types (from types.hal).
#pragma once

#include <hidl/HidlSupport.h>

#include <cstddef>
#include <cstdint>

namespace vendor {
namespace quorvantis {
namespace hardware {
namespace capi {
namespace V2_0 {

enum class ErrorCode : int32_t {
  SUCCESS = 0,
  FAILURE = -1,
};

struct MmapBufferInfo {
  ::android::hardware::hidl_handle handle;
  uint64_t size;
  ::android::hardware::hidl_string name;
};

static_assert(sizeof(ErrorCode) == 4, "ErrorCode");
static_assert(offsetof(MmapBufferInfo, size) == 16, "MmapBufferInfo.size");
static_assert(offsetof(MmapBufferInfo, name) == 24, "MmapBufferInfo.name");
static_assert(sizeof(MmapBufferInfo) == 40, "MmapBufferInfo");

}  // namespace V2_0
}  // namespace capi
}  // namespace hardware
}  // namespace quorvantis
}  // namespace vendor
