// hidl_handle (a native handle, owned or borrowed) and hidl_memory (a named,
// sized shared-memory handle). Copies duplicate the descriptors.
#pragma once

#include <cutils/native_handle.h>
#include <hidl/HidlPointer.h>
#include <hidl/HidlString.h>

#include <cstddef>
#include <cstdint>

namespace android {
namespace hardware {

struct hidl_handle {
  hidl_handle();
  ~hidl_handle();
  hidl_handle(const native_handle_t* handle);  // NOLINT: borrowed, not owned
  hidl_handle(const hidl_handle& other);        // clones: the copy owns its descriptors
  hidl_handle(hidl_handle&& other) noexcept;
  hidl_handle& operator=(const hidl_handle& other);
  hidl_handle& operator=(hidl_handle&& other) noexcept;
  hidl_handle& operator=(const native_handle_t* handle);  // borrowed

  // With shouldOwn the descriptors are closed and the handle deleted with this object.
  void setTo(native_handle_t* handle, bool shouldOwn = false);

  const native_handle_t* getNativeHandle() const { return mHandle; }
  const native_handle_t* operator->() const { return mHandle; }
  operator const native_handle_t*() const { return mHandle; }  // NOLINT

 private:
  void freeHandle();

  details::hidl_pointer<const native_handle_t> mHandle;
  bool mOwnsHandle;
  uint8_t mPad[7];
};

static_assert(sizeof(hidl_handle) == 16, "hidl_handle layout");

struct hidl_memory {
  hidl_memory() : mHandle(), mSize(0), mName() {}
  // Borrows `handle`; copies of this memory own duplicates.
  hidl_memory(const hidl_string& name, const native_handle_t* handle, size_t size)
      : mHandle(handle), mSize(size), mName(name) {}
  hidl_memory(const hidl_string& name, hidl_handle&& handle, size_t size)
      : mHandle(static_cast<hidl_handle&&>(handle)), mSize(size), mName(name) {}

  hidl_memory(const hidl_memory&) = default;
  hidl_memory(hidl_memory&& other) noexcept;
  hidl_memory& operator=(const hidl_memory&) = default;
  hidl_memory& operator=(hidl_memory&& other) noexcept;

  const native_handle_t* handle() const { return mHandle; }
  const hidl_string& name() const { return mName; }
  uint64_t size() const { return mSize; }
  bool valid() const { return handle() != nullptr; }

 private:
  hidl_handle mHandle;
  uint64_t mSize;
  hidl_string mName;
};

static_assert(sizeof(hidl_memory) == 40, "hidl_memory layout");

}  // namespace hardware
}  // namespace android
