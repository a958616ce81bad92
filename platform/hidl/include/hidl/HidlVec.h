// hidl_vec<T>: a counted array that owns its elements or refers to storage it
// does not own; 16 bytes on every ABI.
#pragma once

#include <hidl/HidlPointer.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <vector>

namespace android {
namespace hardware {

namespace details {
// Element counts are 32-bit in the wire layout.
[[noreturn]] void vectorTooLarge(size_t size);
}  // namespace details

template <typename T>
struct hidl_vec {
  hidl_vec() : mBuffer(nullptr), mSize(0), mOwnsBuffer(true) {}
  explicit hidl_vec(size_t size) : hidl_vec() { resize(size); }
  hidl_vec(const hidl_vec& other) : hidl_vec() { *this = other; }
  hidl_vec(hidl_vec&& other) noexcept : hidl_vec() { *this = std::move(other); }
  hidl_vec(std::initializer_list<T> list) : hidl_vec() { assign(list.begin(), list.end(), list.size()); }
  hidl_vec(const std::vector<T>& v) : hidl_vec() { assign(v.begin(), v.end(), v.size()); }  // NOLINT
  template <typename Iter>
  hidl_vec(Iter first, Iter last) : hidl_vec() {
    assign(first, last, static_cast<size_t>(std::distance(first, last)));
  }
  ~hidl_vec() { release(); }

  hidl_vec& operator=(const hidl_vec& other) {
    if (this != &other) assign(other.begin(), other.end(), other.size());
    return *this;
  }
  hidl_vec& operator=(hidl_vec&& other) noexcept {
    if (this == &other) return *this;
    release();
    mBuffer = other.mBuffer;
    mSize = other.mSize;
    mOwnsBuffer = other.mOwnsBuffer;
    other.mBuffer = nullptr;
    other.mSize = 0;
    other.mOwnsBuffer = true;
    return *this;
  }
  hidl_vec& operator=(const std::vector<T>& v) {
    assign(v.begin(), v.end(), v.size());
    return *this;
  }

  // Refers to `data` without copying; with shouldOwn the vector delete[]s it.
  void setToExternal(T* data, size_t size, bool shouldOwn = false) {
    checkSize(size);
    release();
    mBuffer = data;
    mSize = static_cast<uint32_t>(size);
    mOwnsBuffer = shouldOwn;
  }
  // Hands the buffer to the caller (who delete[]s it) and empties the vector;
  // null (and nothing changes) when the vector does not own its buffer.
  T* releaseData() {
    if (!mOwnsBuffer) return nullptr;
    T* data = mBuffer;
    mBuffer = nullptr;
    mSize = 0;
    mOwnsBuffer = true;
    return data;
  }

  T* data() { return mBuffer; }
  const T* data() const { return mBuffer; }
  size_t size() const { return mSize; }
  T& operator[](size_t i) { return mBuffer.get()[i]; }
  const T& operator[](size_t i) const { return mBuffer.get()[i]; }
  T* begin() { return mBuffer; }
  T* end() { return mBuffer.get() + mSize; }
  const T* begin() const { return mBuffer; }
  const T* end() const { return mBuffer.get() + mSize; }

  // Keeps the first min(size, size()) elements; new ones are value-initialised.
  void resize(size_t size) {
    checkSize(size);
    T* fresh = size ? new T[size]() : nullptr;
    for (size_t i = 0; i < size && i < mSize; ++i) fresh[i] = std::move(mBuffer.get()[i]);
    release();
    mBuffer = fresh;
    mSize = static_cast<uint32_t>(size);
    mOwnsBuffer = true;
  }

  operator std::vector<T>() const { return std::vector<T>(begin(), end()); }  // NOLINT

 private:
  static void checkSize(size_t size) {
    if (size > UINT32_MAX) details::vectorTooLarge(size);
  }
  template <typename Iter>
  void assign(Iter first, Iter last, size_t size) {
    checkSize(size);
    T* fresh = size ? new T[size]() : nullptr;
    size_t i = 0;
    for (Iter it = first; it != last; ++it) fresh[i++] = *it;
    release();
    mBuffer = fresh;
    mSize = static_cast<uint32_t>(size);
    mOwnsBuffer = true;
  }
  void release() {
    if (mOwnsBuffer) delete[] mBuffer.get();
    mBuffer = nullptr;
    mSize = 0;
    mOwnsBuffer = true;
  }

  details::hidl_pointer<T> mBuffer;
  uint32_t mSize;
  bool mOwnsBuffer;
};

static_assert(sizeof(hidl_vec<int32_t>) == 16, "hidl_vec layout");

template <typename T>
bool operator==(const hidl_vec<T>& a, const hidl_vec<T>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (!(a[i] == b[i])) return false;
  }
  return true;
}
template <typename T>
bool operator!=(const hidl_vec<T>& a, const hidl_vec<T>& b) {
  return !(a == b);
}

}  // namespace hardware
}  // namespace android
