// hidl_string: owned copies with an explicit length, borrowed buffers.
#define LOG_TAG "HidlSupport"

#include <hidl/HidlString.h>
#include <hidl/HidlVec.h>

#include <log/log.h>

#include <cstring>

namespace android {
namespace hardware {

namespace {
const char kEmpty[1] = "";

[[noreturn]] void stringTooLarge(size_t size) {
  LOG_ALWAYS_FATAL("string size %zu does not fit 32 bits", size);
  abort();
}
}  // namespace

namespace details {
void vectorTooLarge(size_t size) {
  LOG_ALWAYS_FATAL("vector size %zu does not fit 32 bits", size);
  abort();
}
}  // namespace details

hidl_string::hidl_string() : mBuffer(kEmpty), mSize(0), mOwnsBuffer(false) {}
hidl_string::~hidl_string() { clear(); }

hidl_string::hidl_string(const hidl_string& other) : hidl_string() {
  copyFrom(other.c_str(), other.size());
}
hidl_string::hidl_string(hidl_string&& other) noexcept : hidl_string() {
  moveFrom(std::move(other));
}
hidl_string::hidl_string(const char* s) : hidl_string() {
  if (s) copyFrom(s, strlen(s));
}
hidl_string::hidl_string(const char* s, size_t length) : hidl_string() {
  if (s) copyFrom(s, length);
}
hidl_string::hidl_string(const std::string& s) : hidl_string() { copyFrom(s.data(), s.size()); }

hidl_string& hidl_string::operator=(const hidl_string& other) {
  if (this != &other) copyFrom(other.c_str(), other.size());
  return *this;
}
hidl_string& hidl_string::operator=(hidl_string&& other) noexcept {
  if (this != &other) moveFrom(std::move(other));
  return *this;
}
hidl_string& hidl_string::operator=(const char* s) {
  if (!s) {
    clear();
  } else {
    copyFrom(s, strlen(s));
  }
  return *this;
}
hidl_string& hidl_string::operator=(const std::string& s) {
  copyFrom(s.data(), s.size());
  return *this;
}

void hidl_string::clear() {
  if (mOwnsBuffer) delete[] mBuffer.get();
  mBuffer = kEmpty;
  mSize = 0;
  mOwnsBuffer = false;
}

void hidl_string::setToExternal(const char* data, size_t size) {
  if (size > UINT32_MAX) stringTooLarge(size);
  clear();
  mBuffer = data ? data : kEmpty;
  mSize = data ? static_cast<uint32_t>(size) : 0;
}

void hidl_string::copyFrom(const char* data, size_t size) {
  if (size > UINT32_MAX) stringTooLarge(size);
  // The source may be this string's own buffer: copy before freeing.
  char* copy = new char[size + 1];
  memcpy(copy, data, size);
  copy[size] = '\0';
  clear();
  mBuffer = copy;
  mSize = static_cast<uint32_t>(size);
  mOwnsBuffer = true;
}

void hidl_string::moveFrom(hidl_string&& other) {
  clear();
  mBuffer = other.mBuffer;
  mSize = other.mSize;
  mOwnsBuffer = other.mOwnsBuffer;
  other.mBuffer = kEmpty;
  other.mSize = 0;
  other.mOwnsBuffer = false;
}

bool operator==(const hidl_string& a, const hidl_string& b) {
  return a.size() == b.size() && memcmp(a.c_str(), b.c_str(), a.size()) == 0;
}
bool operator==(const hidl_string& a, const char* b) {
  if (!b) return false;
  return a.size() == strlen(b) && memcmp(a.c_str(), b, a.size()) == 0;
}
bool operator<(const hidl_string& a, const hidl_string& b) {
  return std::string(a) < std::string(b);
}

}  // namespace hardware
}  // namespace android
