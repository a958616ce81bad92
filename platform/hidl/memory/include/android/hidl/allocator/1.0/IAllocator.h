// android.hidl.allocator@1.0::IAllocator: hands out shared memory as
// hidl_memory. The platform serves the instance "ashmem" in every process.
#pragma once

#include <hidl/HidlInterface.h>

#include <functional>

namespace android {
namespace hidl {
namespace allocator {
namespace V1_0 {

struct IAllocator : public ::android::hidl::base::V1_0::IBase {
  HIDL_INTERFACE_IDENTITY(IAllocator, "android.hidl.allocator@1.0::IAllocator",
                          ::android::hidl::base::V1_0::IBase)
  // Finds registered allocators and the platform's "ashmem" one; never a
  // passthrough stub.
  static ::android::sp<IAllocator> getService(const std::string& serviceName = "default",
                                              bool getStub = false);

  using allocate_cb = std::function<void(bool success, const ::android::hardware::hidl_memory& mem)>;
  // The memory passed to the callback is valid during the call only; copy it to keep it.
  virtual ::android::hardware::Return<void> allocate(uint64_t size, allocate_cb _hidl_cb) = 0;
  using batchAllocate_cb = std::function<void(
      bool success, const ::android::hardware::hidl_vec<::android::hardware::hidl_memory>& batch)>;
  virtual ::android::hardware::Return<void> batchAllocate(uint64_t size, uint64_t count,
                                                          batchAllocate_cb _hidl_cb) = 0;
};

}  // namespace V1_0
}  // namespace allocator
}  // namespace hidl
}  // namespace android
