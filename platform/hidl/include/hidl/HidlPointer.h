// hidl_pointer<T>: a pointer stored in 64 bits on every ABI, so records that
// hold one have the same layout in 32-bit and 64-bit processes.
#pragma once

#include <cstdint>

namespace android {
namespace hardware {
namespace details {

template <typename T>
struct hidl_pointer {
  hidl_pointer() : _pad(0) {}
  hidl_pointer(T* ptr) : hidl_pointer() { mPointer = ptr; }  // NOLINT: implicit
  hidl_pointer(const hidl_pointer& other) : hidl_pointer() { mPointer = other.mPointer; }
  hidl_pointer& operator=(const hidl_pointer& other) {
    mPointer = other.mPointer;
    return *this;
  }
  hidl_pointer& operator=(T* ptr) {
    mPointer = ptr;
    return *this;
  }

  operator T*() const { return mPointer; }  // NOLINT: implicit
  T* get() const { return mPointer; }
  T* operator->() const { return mPointer; }

 private:
  union {
    T* mPointer;
    uint64_t _pad;
  };
};

static_assert(sizeof(hidl_pointer<void>) == 8, "hidl_pointer is 64 bits on every ABI");

}  // namespace details
}  // namespace hardware
}  // namespace android
