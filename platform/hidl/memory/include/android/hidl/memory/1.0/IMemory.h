// android.hidl.memory@1.0::IMemory: a mapping of a hidl_memory. Reads are
// bracketed by read()/commit(), writes by update()/commit().
#pragma once

#include <hidl/HidlInterface.h>

namespace android {
namespace hidl {
namespace memory {
namespace V1_0 {

struct IMemory : public ::android::hidl::base::V1_0::IBase {
  HIDL_INTERFACE_IDENTITY(IMemory, "android.hidl.memory@1.0::IMemory",
                          ::android::hidl::base::V1_0::IBase)

  virtual ::android::hardware::Return<void> update() = 0;
  // A range outside the mapping fails with EX_ILLEGAL_ARGUMENT.
  virtual ::android::hardware::Return<void> updateRange(uint64_t start, uint64_t length) = 0;
  virtual ::android::hardware::Return<void> read() = 0;
  virtual ::android::hardware::Return<void> readRange(uint64_t start, uint64_t length) = 0;
  virtual ::android::hardware::Return<void> commit() = 0;
  virtual ::android::hardware::Return<void*> getPointer() = 0;
  virtual ::android::hardware::Return<uint64_t> getSize() = 0;
};

}  // namespace V1_0
}  // namespace memory
}  // namespace hidl
}  // namespace android
