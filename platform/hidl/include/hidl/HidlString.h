// hidl_string: a counted string (embedded NULs allowed) that owns its buffer
// or refers to one it does not own; 16 bytes on every ABI.
#pragma once

#include <hidl/HidlPointer.h>

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

namespace android {
namespace hardware {

struct hidl_string {
  hidl_string();
  ~hidl_string();

  hidl_string(const hidl_string& other);
  hidl_string(hidl_string&& other) noexcept;
  hidl_string(const char* s);  // NOLINT: implicit, as generated code expects
  hidl_string(const char* s, size_t length);
  hidl_string(const std::string& s);  // NOLINT

  hidl_string& operator=(const hidl_string& other);
  hidl_string& operator=(hidl_string&& other) noexcept;
  hidl_string& operator=(const char* s);
  hidl_string& operator=(const std::string& s);

  // Always NUL-terminated; size() may count embedded NULs.
  const char* c_str() const { return mBuffer; }
  size_t size() const { return mSize; }
  bool empty() const { return mSize == 0; }
  operator std::string() const { return std::string(c_str(), size()); }  // NOLINT

  void clear();
  // Refers to `data` (which must stay valid and end in a NUL at data[size])
  // without owning it.
  void setToExternal(const char* data, size_t size);

 private:
  void copyFrom(const char* data, size_t size);
  void moveFrom(hidl_string&& other);

  details::hidl_pointer<const char> mBuffer;
  uint32_t mSize;
  bool mOwnsBuffer;
};

static_assert(sizeof(hidl_string) == 16, "hidl_string layout");

bool operator==(const hidl_string& a, const hidl_string& b);
inline bool operator!=(const hidl_string& a, const hidl_string& b) { return !(a == b); }
bool operator==(const hidl_string& a, const char* b);
inline bool operator!=(const hidl_string& a, const char* b) { return !(a == b); }
inline bool operator==(const char* a, const hidl_string& b) { return b == a; }
inline bool operator!=(const char* a, const hidl_string& b) { return !(b == a); }
inline bool operator==(const hidl_string& a, const std::string& b) { return a == hidl_string(b); }
inline bool operator!=(const hidl_string& a, const std::string& b) { return !(a == b); }
bool operator<(const hidl_string& a, const hidl_string& b);
inline std::ostream& operator<<(std::ostream& os, const hidl_string& s) {
  return os << std::string(s);
}

}  // namespace hardware
}  // namespace android
