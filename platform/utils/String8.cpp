// String8 over std::string.
#define LOG_TAG "String8"

#include <utils/String8.h>

#include <ctype.h>
#include <stdio.h>
#include <string.h>

#include <log/log.h>

namespace android {

namespace {

const char* checked(const char* s, const char* where) {
  LOG_ALWAYS_FATAL_IF(s == nullptr, "String8::%s: null string", where);
  return s;
}

}  // namespace

String8::String8(const char* s) : mString(checked(s, "String8")) {}

String8::String8(const char* s, size_t numChars) : mString(checked(s, "String8"), numChars) {}

String8 String8::format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  String8 r = formatV(fmt, args);
  va_end(args);
  return r;
}

String8 String8::formatV(const char* fmt, va_list args) {
  String8 r;
  r.appendFormatV(fmt, args);
  return r;
}

status_t String8::setTo(const char* other) {
  mString.assign(checked(other, "setTo"));
  return NO_ERROR;
}

status_t String8::setTo(const char* other, size_t numChars) {
  mString.assign(checked(other, "setTo"), numChars);
  return NO_ERROR;
}

status_t String8::append(const String8& other) {
  mString.append(other.mString);
  return NO_ERROR;
}

status_t String8::append(const char* other) {
  mString.append(checked(other, "append"));
  return NO_ERROR;
}

status_t String8::append(const char* other, size_t numChars) {
  mString.append(checked(other, "append"), numChars);
  return NO_ERROR;
}

status_t String8::appendFormat(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  status_t r = appendFormatV(fmt, args);
  va_end(args);
  return r;
}

status_t String8::appendFormatV(const char* fmt, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int n = vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  if (n < 0) return UNKNOWN_ERROR;
  size_t old = mString.size();
  mString.resize(old + static_cast<size_t>(n) + 1);
  vsnprintf(&mString[old], static_cast<size_t>(n) + 1, fmt, args);
  mString.resize(old + static_cast<size_t>(n));
  return NO_ERROR;
}

int String8::compare(const String8& other) const {
  return strcmp(mString.c_str(), other.mString.c_str());
}

ssize_t String8::find(const char* other, size_t start) const {
  if (start > mString.size()) return -1;
  const char* base = mString.c_str();
  const char* hit = strstr(base + start, checked(other, "find"));
  return hit ? static_cast<ssize_t>(hit - base) : -1;
}

bool String8::removeAll(const char* other) {
  size_t len = strlen(checked(other, "removeAll"));
  if (len == 0) return false;
  bool found = false;
  for (size_t pos = mString.find(other, 0, len); pos != std::string::npos;
       pos = mString.find(other, pos, len)) {
    mString.erase(pos, len);
    found = true;
  }
  return found;
}

void String8::toLower() {
  for (char& c : mString) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
}

void String8::toUpper() {
  for (char& c : mString) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
}

}  // namespace android
