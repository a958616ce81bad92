#include "SensorAttribute.h"

#include <errno.h>
#include <fcntl.h>
#include <inttypes.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <android/log.h>

#include "kv/path.h"

namespace attr {

namespace {

// Text in a zeroed buffer of `size` bytes; `length` bytes are written (the
// whole buffer, or the text with its NUL when length is 0).
AttributeValue text(size_t size, size_t length, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
AttributeValue text(size_t size, size_t length, const char* fmt, ...) {
  AttributeValue v;
  memset(v.bytes, 0, sizeof v.bytes);
  va_list ap;
  va_start(ap, fmt);
  vsnprintf(v.bytes, size, fmt, ap);
  va_end(ap);
  v.length = length ? length : strlen(v.bytes) + 1;
  return v;
}

}  // namespace

AttributeValue activeFlag(int en) { return text(2, 2, "%c", en ? '1' : '0'); }
AttributeValue activePair(int h, int en) { return text(8, 8, "%d,%d", h, en); }
AttributeValue activeSpaced(int h, int en) { return text(8, 8, "%d : %d", h, en); }
AttributeValue activePairText(int h, int en) { return text(120, 0, "%d,%d", h, en); }
AttributeValue delay(int64_t ns) { return text(80, 0, "%" PRId64, ns); }
AttributeValue delayPair(int h, int64_t ns) { return text(80, 0, "%d,%" PRId64, h, ns); }
AttributeValue batch(int h, int flags, int64_t period, int64_t latency) {
  return text(128, 128, "%d,%d,%" PRId64 ",%" PRId64, h, flags, period, latency);
}
AttributeValue batchFlag(int64_t latency) { return text(2, 2, "%c", latency ? '1' : '0'); }
AttributeValue flush(int h) { return text(32, 32, "%d", h); }

}  // namespace attr

void SensorAttributePath::setDirectory(const char* directory) {
  size_t n = strnlen(directory, kPathSize - 1);
  memcpy(mPath, directory, n);
  mPath[n] = '\0';
  mPrefixLength = n;
}

const char* SensorAttributePath::attribute(const char* name) {
  size_t room = kPathSize - 1 - mPrefixLength;
  size_t n = strnlen(name, room);
  memcpy(mPath + mPrefixLength, name, n);
  mPath[mPrefixLength + n] = '\0';
  return mPath;
}

int SensorAttributePath::write(const char* name, const void* data, size_t length) {
  std::lock_guard<std::mutex> lock(mLock);
  if (!hasDirectory()) return -1;
  int fd;
  do {
    fd = kv_open(attribute(name), O_RDWR | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  ssize_t n;
  do {
    n = ::write(fd, data, length);
  } while (n < 0 && errno == EINTR);
  close(fd);
  return 0;
}

bool readSensorDivisor(const char* tag, const char* path, const char* readError, int* divisor) {
  int fd;
  do {
    fd = kv_open(path, O_RDWR | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    __android_log_print(ANDROID_LOG_ERROR, tag, "open misc path %s fail", path);
    return false;
  }
  char buf[64];
  ssize_t len = read(fd, buf, sizeof buf - 1);
  close(fd);
  if (len <= 0) {
    __android_log_print(ANDROID_LOG_ERROR, tag, "%s, len = %d", readError, static_cast<int>(len));
    return false;
  }
  buf[len] = '\0';
  int value = 0;
  // A divisor of 0 would turn every sample into infinity: keep the initial one.
  if (sscanf(buf, "%d", &value) != 1 || value == 0) {
    __android_log_print(ANDROID_LOG_ERROR, tag, "%s, len = %d", readError, static_cast<int>(len));
    return false;
  }
  *divisor = value;
  __android_log_print(ANDROID_LOG_INFO, tag, "read div buf(%s), mdiv %d", path, value);
  return true;
}
