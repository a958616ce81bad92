// android::String8: an 8-bit (UTF-8) string with Android's interface.
#pragma once

#include <stdarg.h>
#include <stddef.h>
#include <string.h>
#include <sys/types.h>

#include <string>

#include <utils/Errors.h>

namespace android {

class String8 {
 public:
  String8() = default;
  String8(const String8&) = default;
  String8(String8&&) noexcept = default;
  explicit String8(const char* s);
  String8(const char* s, size_t numChars);
  ~String8() = default;

  static String8 format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
  static String8 formatV(const char* fmt, va_list args) __attribute__((format(printf, 1, 0)));

  const char* string() const { return mString.c_str(); }
  const char* c_str() const { return mString.c_str(); }
  size_t size() const { return mString.size(); }
  size_t length() const { return mString.size(); }
  size_t bytes() const { return mString.size(); }
  bool isEmpty() const { return mString.empty(); }

  void clear() { mString.clear(); }

  void setTo(const String8& other) { mString = other.mString; }
  status_t setTo(const char* other);
  status_t setTo(const char* other, size_t numChars);

  status_t append(const String8& other);
  status_t append(const char* other);
  status_t append(const char* other, size_t numChars);
  status_t appendFormat(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
  status_t appendFormatV(const char* fmt, va_list args) __attribute__((format(printf, 2, 0)));

  String8& operator=(const String8&) = default;
  String8& operator=(String8&&) noexcept = default;
  String8& operator=(const char* other) {
    setTo(other);
    return *this;
  }

  String8& operator+=(const String8& other) {
    append(other);
    return *this;
  }
  String8& operator+=(const char* other) {
    append(other);
    return *this;
  }
  String8 operator+(const String8& other) const {
    String8 r(*this);
    r.append(other);
    return r;
  }
  String8 operator+(const char* other) const {
    String8 r(*this);
    r.append(other);
    return r;
  }

  // strcmp order: the text up to the first NUL decides.
  int compare(const String8& other) const;

  bool operator<(const String8& o) const { return compare(o) < 0; }
  bool operator<=(const String8& o) const { return compare(o) <= 0; }
  bool operator==(const String8& o) const { return compare(o) == 0; }
  bool operator!=(const String8& o) const { return compare(o) != 0; }
  bool operator>=(const String8& o) const { return compare(o) >= 0; }
  bool operator>(const String8& o) const { return compare(o) > 0; }

  bool operator<(const char* o) const { return strcmp(c_str(), o) < 0; }
  bool operator<=(const char* o) const { return strcmp(c_str(), o) <= 0; }
  bool operator==(const char* o) const { return strcmp(c_str(), o) == 0; }
  bool operator!=(const char* o) const { return strcmp(c_str(), o) != 0; }
  bool operator>=(const char* o) const { return strcmp(c_str(), o) >= 0; }
  bool operator>(const char* o) const { return strcmp(c_str(), o) > 0; }

  operator const char*() const { return mString.c_str(); }  // NOLINT: as on Android

  // Index of the first occurrence of other at or after start, or -1.
  ssize_t find(const char* other, size_t start = 0) const;
  bool contains(const char* other) const { return find(other) >= 0; }
  // Removes every occurrence of other; true if there was one.
  bool removeAll(const char* other);

  void toLower();
  void toUpper();

 private:
  std::string mString;
};

}  // namespace android
