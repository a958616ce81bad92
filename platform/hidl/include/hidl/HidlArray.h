// hidl_array<T, S1, S2...>: a fixed multi-dimensional array laid out as the C
// array T[S1][S2]...; matrix[i][j] indexes it as in C.
#pragma once

#include <cstddef>
#include <cstdint>

namespace android {
namespace hardware {

namespace details {
template <typename T, size_t... SIZES>
struct carray;
template <typename T>
struct carray<T> {
  using type = T;
  static constexpr size_t count = 1;
};
template <typename T, size_t S1, size_t... SIZES>
struct carray<T, S1, SIZES...> {
  using type = typename carray<T, SIZES...>::type[S1];
  static constexpr size_t count = S1 * carray<T, SIZES...>::count;
};
}  // namespace details

template <typename T, size_t SIZE1, size_t... SIZES>
struct hidl_array {
  using array_type = typename details::carray<T, SIZE1, SIZES...>::type;
  static constexpr size_t elementCount = details::carray<T, SIZE1, SIZES...>::count;

  hidl_array() : mBuffer() {}
  hidl_array(const array_type& source) {  // NOLINT: implicit, from a C array
    const T* from = reinterpret_cast<const T*>(&source);
    for (size_t i = 0; i < elementCount; ++i) data()[i] = from[i];
  }

  T* data() { return reinterpret_cast<T*>(&mBuffer); }
  const T* data() const { return reinterpret_cast<const T*>(&mBuffer); }

  auto& operator[](size_t i) { return mBuffer[i]; }
  const auto& operator[](size_t i) const { return mBuffer[i]; }

  // Extent of the first dimension.
  static constexpr size_t size() { return SIZE1; }

  bool operator==(const hidl_array& other) const {
    for (size_t i = 0; i < elementCount; ++i) {
      if (!(data()[i] == other.data()[i])) return false;
    }
    return true;
  }
  bool operator!=(const hidl_array& other) const { return !(*this == other); }

 private:
  array_type mBuffer;
};

static_assert(sizeof(hidl_array<float, 4, 4>) == 64, "hidl_array is its C array");
static_assert(sizeof(hidl_array<int32_t, 3, 3>) == 36, "hidl_array is its C array");

}  // namespace hardware
}  // namespace android
