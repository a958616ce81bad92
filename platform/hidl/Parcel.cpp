// The hardware-binder parcel: little-endian integers, four-byte padded blocks,
// reads that fail cleanly at the end of the data.
#include <hwbinder/Parcel.h>

#include <cstring>
#include <type_traits>

namespace android {
namespace hardware {

status_t Parcel::setData(const uint8_t* data, size_t size) {
  if (!data && size) return BAD_VALUE;
  mData.assign(data, data + size);
  mPos = 0;
  return OK;
}

status_t Parcel::setDataPosition(size_t pos) {
  if (pos > mData.size()) return BAD_VALUE;
  mPos = pos;
  return OK;
}

void Parcel::freeData() {
  mData.clear();
  mPos = 0;
}

template <typename T>
status_t Parcel::writeLittleEndian(T value) {
  using U = std::make_unsigned_t<T>;
  U bits = static_cast<U>(value);
  for (size_t i = 0; i < sizeof(T); ++i) {
    mData.push_back(static_cast<uint8_t>(bits >> (8 * i)));
  }
  return OK;
}

template <typename T>
status_t Parcel::readLittleEndian(T* value) const {
  if (!value) return BAD_VALUE;
  if (dataAvail() < sizeof(T)) return NOT_ENOUGH_DATA;
  using U = std::make_unsigned_t<T>;
  U bits = 0;
  for (size_t i = 0; i < sizeof(T); ++i) bits |= static_cast<U>(mData[mPos + i]) << (8 * i);
  *value = static_cast<T>(bits);
  mPos += sizeof(T);
  return OK;
}

status_t Parcel::writeInt32(int32_t value) { return writeLittleEndian(value); }
status_t Parcel::writeUint32(uint32_t value) { return writeLittleEndian(value); }
status_t Parcel::writeInt64(int64_t value) { return writeLittleEndian(value); }
status_t Parcel::writeUint64(uint64_t value) { return writeLittleEndian(value); }

status_t Parcel::write(const void* data, size_t len) {
  if (!data && len) return BAD_VALUE;
  if (len > SIZE_MAX - 3) return BAD_VALUE;
  const auto* bytes = static_cast<const uint8_t*>(data);
  mData.insert(mData.end(), bytes, bytes + len);
  mData.resize(mData.size() + (padded(len) - len), 0);
  return OK;
}

status_t Parcel::readInt32(int32_t* value) const { return readLittleEndian(value); }
status_t Parcel::readUint32(uint32_t* value) const { return readLittleEndian(value); }
status_t Parcel::readInt64(int64_t* value) const { return readLittleEndian(value); }
status_t Parcel::readUint64(uint64_t* value) const { return readLittleEndian(value); }

int32_t Parcel::readInt32() const {
  int32_t v = 0;
  return readInt32(&v) == OK ? v : 0;
}
uint32_t Parcel::readUint32() const {
  uint32_t v = 0;
  return readUint32(&v) == OK ? v : 0;
}
int64_t Parcel::readInt64() const {
  int64_t v = 0;
  return readInt64(&v) == OK ? v : 0;
}
uint64_t Parcel::readUint64() const {
  uint64_t v = 0;
  return readUint64(&v) == OK ? v : 0;
}

const void* Parcel::readInplace(size_t len) const {
  // The block and its padding must both be there (the padded size of a huge
  // length wraps below it).
  const size_t skip = padded(len);
  if (skip < len || skip > dataAvail()) return nullptr;
  const void* at = mData.data() + mPos;
  mPos += skip;
  return at;
}

status_t Parcel::read(void* out, size_t len) const {
  if (!out && len) return BAD_VALUE;
  const void* at = readInplace(len);
  if (!at) return NOT_ENOUGH_DATA;
  if (len) memcpy(out, at, len);
  return OK;
}

}  // namespace hardware
}  // namespace android
