// A small interface for the runtime tests: vendor.korvalen.hardware.kvtest@1.0::ITest.
#pragma once

#include <hidl/HidlInterface.h>

namespace vendor {
namespace korvalen {
namespace hardware {
namespace kvtest {
namespace V1_0 {

struct ITest : public ::android::hidl::base::V1_0::IBase {
  HIDL_INTERFACE_COMMON(ITest, "vendor.korvalen.hardware.kvtest@1.0::ITest",
                        ::android::hidl::base::V1_0::IBase)

  virtual ::android::hardware::Return<int32_t> add(int32_t a, int32_t b) = 0;
  // The instance name the object was fetched for.
  using instance_cb = std::function<void(const ::android::hardware::hidl_string&)>;
  virtual ::android::hardware::Return<void> instance(instance_cb _hidl_cb) = 0;
  // Shared memory of `size` bytes from the "ashmem" allocator, its first word set to `mark`.
  using share_cb = std::function<void(bool ok, const ::android::hardware::hidl_memory& memory)>;
  virtual ::android::hardware::Return<void> share(uint64_t size, uint32_t mark, share_cb _hidl_cb) = 0;
};

}  // namespace V1_0
}  // namespace kvtest
}  // namespace hardware
}  // namespace korvalen
}  // namespace vendor
