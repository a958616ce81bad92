// android::AString: the growable byte string of libstagefright_foundation.
// Positions outside the string are a programming error and abort.
#pragma once

#include <stdarg.h>
#include <stddef.h>
#include <sys/types.h>

#include <string>

#include <utils/Errors.h>

namespace android {

class String8;

struct AString {
  AString() = default;
  AString(const char* s);  // NOLINT: implicit, as on Android
  AString(const char* s, size_t size);
  explicit AString(const String8& from);
  AString(const AString& from) = default;
  AString(AString&& from) noexcept = default;
  // n bytes of from starting at offset.
  AString(const AString& from, size_t offset, size_t n);
  ~AString() = default;

  AString& operator=(const AString& from) = default;
  AString& operator=(AString&& from) noexcept = default;

  void setTo(const char* s);
  void setTo(const char* s, size_t size);
  void setTo(const AString& from, size_t offset, size_t n);

  size_t size() const { return mData.size(); }
  const char* c_str() const { return mData.c_str(); }
  bool empty() const { return mData.empty(); }

  void clear() { mData.clear(); }
  // Removes leading and trailing white space (isspace).
  void trim();
  void erase(size_t start, size_t n);

  void append(char c) { mData.push_back(c); }
  void append(const char* s);
  void append(const char* s, size_t size);
  void append(const AString& from);
  void append(const AString& from, size_t offset, size_t n);
  // Numbers as printf writes them: %d %u %ld %lu %lld %llu, %f for reals, %p.
  void append(int x);
  void append(unsigned x);
  void append(long x);
  void append(unsigned long x);
  void append(long long x);
  void append(unsigned long long x);
  void append(float x);
  void append(double x);
  void append(void* x);

  void insert(const AString& from, size_t insertionPos);
  void insert(const char* from, size_t size, size_t insertionPos);

  // Index of the first occurrence of substring at or after start, or -1.
  ssize_t find(const char* substring, size_t start = 0) const;

  size_t hash() const;

  // Comparisons are strcmp / strcasecmp order.
  bool operator==(const AString& other) const { return compare(other) == 0; }
  bool operator!=(const AString& other) const { return compare(other) != 0; }
  bool operator<(const AString& other) const { return compare(other) < 0; }
  bool operator>(const AString& other) const { return compare(other) > 0; }
  int compare(const AString& other) const;
  int compareIgnoreCase(const AString& other) const;
  bool equalsIgnoreCase(const AString& other) const { return compareIgnoreCase(other) == 0; }

  bool startsWith(const char* prefix) const;
  bool endsWith(const char* suffix) const;
  bool startsWithIgnoreCase(const char* prefix) const;
  bool endsWithIgnoreCase(const char* suffix) const;

  void tolower();

 private:
  void appendFormat(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
  friend AString AStringPrintf(const char* format, ...);

  std::string mData;
};

AString AStringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace android
