// A hardware-binder parcel: a byte buffer with a read position. Integers are
// little-endian (32-bit in four bytes, 64-bit in eight); raw blocks are padded
// with zeros to a multiple of four bytes. A read past the end fails with
// NOT_ENOUGH_DATA and leaves the position where it was.
#pragma once

#include <utils/Errors.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace android {
namespace hardware {

class Parcel {
 public:
  Parcel() = default;

  // Replaces the content with a copy of `data` and rewinds.
  status_t setData(const uint8_t* data, size_t size);
  const uint8_t* data() const { return mData.data(); }
  size_t dataSize() const { return mData.size(); }
  size_t dataPosition() const { return mPos; }
  size_t dataAvail() const { return mData.size() - mPos; }
  // Positions past the end are refused with BAD_VALUE.
  status_t setDataPosition(size_t pos);
  void freeData();

  status_t writeInt32(int32_t value);
  status_t writeUint32(uint32_t value);
  status_t writeInt64(int64_t value);
  status_t writeUint64(uint64_t value);
  // `len` bytes, then zeros up to a multiple of four.
  status_t write(const void* data, size_t len);

  status_t readInt32(int32_t* value) const;
  status_t readUint32(uint32_t* value) const;
  status_t readInt64(int64_t* value) const;
  status_t readUint64(uint64_t* value) const;
  // The value, or 0 when the parcel has too few bytes left.
  int32_t readInt32() const;
  uint32_t readUint32() const;
  int64_t readInt64() const;
  uint64_t readUint64() const;
  // Copies `len` bytes and skips the padding after them; the padding must be
  // there too.
  status_t read(void* out, size_t len) const;
  // Points at `len` bytes in the parcel and skips them and their padding;
  // null when they (or their padding) are not all there.
  const void* readInplace(size_t len) const;

 private:
  static size_t padded(size_t len) { return (len + 3) & ~size_t{3}; }
  template <typename T>
  status_t writeLittleEndian(T value);
  template <typename T>
  status_t readLittleEndian(T* value) const;

  std::vector<uint8_t> mData;
  mutable size_t mPos = 0;
};

}  // namespace hardware
}  // namespace android
