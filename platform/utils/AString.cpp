// AString over std::string; contract checks abort through the log.
#define LOG_TAG "AString"

#include <media/stagefright/foundation/AString.h>

#include <ctype.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <log/log.h>
#include <utils/String8.h>

namespace android {

namespace {

const char* checked(const char* s, const char* where) {
  LOG_ALWAYS_FATAL_IF(s == nullptr, "AString::%s: null string", where);
  return s;
}

void checkRange(const char* where, size_t offset, size_t n, size_t size) {
  LOG_ALWAYS_FATAL_IF(offset > size || n > size - offset,
                      "AString::%s: range [%zu, +%zu) outside a string of %zu bytes", where,
                      offset, n, size);
}

void vappend(std::string& out, const char* fmt, va_list args) __attribute__((format(printf, 2, 0)));
void vappend(std::string& out, const char* fmt, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int n = vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  if (n <= 0) return;
  size_t old = out.size();
  out.resize(old + static_cast<size_t>(n) + 1);
  vsnprintf(&out[old], static_cast<size_t>(n) + 1, fmt, args);
  out.resize(old + static_cast<size_t>(n));
}

}  // namespace

AString::AString(const char* s) : mData(checked(s, "AString")) {}

AString::AString(const char* s, size_t size) : mData(checked(s, "AString"), size) {}

AString::AString(const String8& from) : mData(from.string(), from.size()) {}

AString::AString(const AString& from, size_t offset, size_t n) {
  checkRange("AString", offset, n, from.size());
  mData.assign(from.mData, offset, n);
}

void AString::setTo(const char* s) { mData.assign(checked(s, "setTo")); }

void AString::setTo(const char* s, size_t size) { mData.assign(checked(s, "setTo"), size); }

void AString::setTo(const AString& from, size_t offset, size_t n) {
  checkRange("setTo", offset, n, from.size());
  if (&from == this) {
    mData = mData.substr(offset, n);
  } else {
    mData.assign(from.mData, offset, n);
  }
}

void AString::trim() {
  size_t first = 0;
  while (first < mData.size() && isspace(static_cast<unsigned char>(mData[first]))) ++first;
  size_t last = mData.size();
  while (last > first && isspace(static_cast<unsigned char>(mData[last - 1]))) --last;
  mData = mData.substr(first, last - first);
}

void AString::erase(size_t start, size_t n) {
  checkRange("erase", start, n, size());
  mData.erase(start, n);
}

void AString::append(const char* s) { mData.append(checked(s, "append")); }

void AString::append(const char* s, size_t size) { mData.append(checked(s, "append"), size); }

void AString::append(const AString& from) { mData.append(from.mData); }

void AString::append(const AString& from, size_t offset, size_t n) {
  checkRange("append", offset, n, from.size());
  mData.append(std::string(from.mData, offset, n));  // from may be *this
}

void AString::appendFormat(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  vappend(mData, fmt, args);
  va_end(args);
}

void AString::append(int x) { appendFormat("%d", x); }
void AString::append(unsigned x) { appendFormat("%u", x); }
void AString::append(long x) { appendFormat("%ld", x); }
void AString::append(unsigned long x) { appendFormat("%lu", x); }
void AString::append(long long x) { appendFormat("%lld", x); }
void AString::append(unsigned long long x) { appendFormat("%llu", x); }
void AString::append(float x) { appendFormat("%f", static_cast<double>(x)); }
void AString::append(double x) { appendFormat("%f", x); }
void AString::append(void* x) { appendFormat("%p", x); }

void AString::insert(const AString& from, size_t insertionPos) {
  insert(from.c_str(), from.size(), insertionPos);
}

void AString::insert(const char* from, size_t size, size_t insertionPos) {
  checkRange("insert", insertionPos, 0, this->size());
  std::string piece(checked(from, "insert"), size);  // from may point into this string
  mData.insert(insertionPos, piece);
}

ssize_t AString::find(const char* substring, size_t start) const {
  checkRange("find", start, 0, size());
  const char* base = mData.c_str();
  const char* hit = strstr(base + start, checked(substring, "find"));
  return hit ? static_cast<ssize_t>(hit - base) : -1;
}

size_t AString::hash() const {
  size_t x = 0;
  for (unsigned char c : mData) x = x * 31 + c;
  return x;
}

int AString::compare(const AString& other) const { return strcmp(c_str(), other.c_str()); }

int AString::compareIgnoreCase(const AString& other) const {
  return strcasecmp(c_str(), other.c_str());
}

bool AString::startsWith(const char* prefix) const {
  size_t n = strlen(checked(prefix, "startsWith"));
  return n <= size() && memcmp(mData.data(), prefix, n) == 0;
}

bool AString::endsWith(const char* suffix) const {
  size_t n = strlen(checked(suffix, "endsWith"));
  return n <= size() && memcmp(mData.data() + size() - n, suffix, n) == 0;
}

bool AString::startsWithIgnoreCase(const char* prefix) const {
  size_t n = strlen(checked(prefix, "startsWithIgnoreCase"));
  return n <= size() && strncasecmp(mData.data(), prefix, n) == 0;
}

bool AString::endsWithIgnoreCase(const char* suffix) const {
  size_t n = strlen(checked(suffix, "endsWithIgnoreCase"));
  return n <= size() && strncasecmp(mData.data() + size() - n, suffix, n) == 0;
}

void AString::tolower() {
  for (char& c : mData) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
}

AString AStringPrintf(const char* format, ...) {
  AString result;
  va_list args;
  va_start(args, format);
  vappend(result.mData, format, args);
  va_end(args);
  return result;
}

}  // namespace android
