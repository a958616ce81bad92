// hidl_handle and hidl_memory: copies own duplicated descriptors.
#include <hidl/HidlHandle.h>

#include <utility>

namespace android {
namespace hardware {

hidl_handle::hidl_handle() : mHandle(nullptr), mOwnsHandle(false), mPad() {}
hidl_handle::~hidl_handle() { freeHandle(); }

hidl_handle::hidl_handle(const native_handle_t* handle)
    : mHandle(handle), mOwnsHandle(false), mPad() {}

hidl_handle::hidl_handle(const hidl_handle& other) : hidl_handle() { *this = other; }

hidl_handle::hidl_handle(hidl_handle&& other) noexcept : hidl_handle() {
  *this = std::move(other);
}

hidl_handle& hidl_handle::operator=(const hidl_handle& other) {
  if (this == &other) return *this;
  // A failed clone (descriptor limit) leaves a null handle.
  native_handle_t* copy = other.mHandle ? native_handle_clone(other.mHandle) : nullptr;
  freeHandle();
  mHandle = copy;
  mOwnsHandle = copy != nullptr;
  return *this;
}

hidl_handle& hidl_handle::operator=(hidl_handle&& other) noexcept {
  if (this == &other) return *this;
  freeHandle();
  mHandle = other.mHandle;
  mOwnsHandle = other.mOwnsHandle;
  other.mHandle = nullptr;
  other.mOwnsHandle = false;
  return *this;
}

hidl_handle& hidl_handle::operator=(const native_handle_t* handle) {
  freeHandle();
  mHandle = handle;
  mOwnsHandle = false;
  return *this;
}

void hidl_handle::setTo(native_handle_t* handle, bool shouldOwn) {
  freeHandle();
  mHandle = handle;
  mOwnsHandle = shouldOwn;
}

void hidl_handle::freeHandle() {
  if (mOwnsHandle && mHandle) {
    auto* handle = const_cast<native_handle_t*>(mHandle.get());
    native_handle_close(handle);
    native_handle_delete(handle);
  }
  mHandle = nullptr;
  mOwnsHandle = false;
}

hidl_memory::hidl_memory(hidl_memory&& other) noexcept
    : mHandle(std::move(other.mHandle)), mSize(other.mSize), mName(std::move(other.mName)) {
  other.mSize = 0;
}

hidl_memory& hidl_memory::operator=(hidl_memory&& other) noexcept {
  if (this == &other) return *this;
  mHandle = std::move(other.mHandle);
  mSize = other.mSize;
  mName = std::move(other.mName);
  other.mSize = 0;
  return *this;
}

}  // namespace hardware
}  // namespace android
