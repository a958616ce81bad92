// The sysfs control attributes of a sensor misc device: the directory path
// buffer of a driver, the exact bytes of each attribute format, the write
// protocol and the divisor the kernel publishes in the active attribute.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <mutex>

// The bytes of one attribute write.
struct AttributeValue {
  char bytes[128];
  size_t length;
};

// Attribute formats; h is the sensor id, en 1 or 0, ns nanoseconds.
namespace attr {
AttributeValue activeFlag(int en);                  // '1'/'0' + NUL, 2 bytes
AttributeValue activePair(int h, int en);           // "%d,%d" in 8 bytes
AttributeValue activeSpaced(int h, int en);         // "%d : %d" in 8 bytes
AttributeValue activePairText(int h, int en);       // "%d,%d" + NUL
AttributeValue delay(int64_t ns);                   // "%ld" + NUL
AttributeValue delayPair(int h, int64_t ns);        // "%d,%ld" + NUL
AttributeValue batch(int h, int flags, int64_t period, int64_t latency);  // 128 bytes
AttributeValue batchFlag(int64_t latency);          // '1' when latency != 0, else '0'; + NUL
AttributeValue flush(int h);                        // "%d" in 32 bytes
}  // namespace attr

class SensorAttributePath {
 public:
  static constexpr size_t kPathSize = 4096;

  // Sets the driver's sysfs directory (with its trailing slash).
  void setDirectory(const char* directory);
  bool hasDirectory() const { return mPrefixLength > 0; }
  const char* directory() const { return mPath; }
  // The directory followed by the attribute name (truncated to the buffer).
  const char* attribute(const char* name);

  // Opens the attribute read-write, writes the bytes and closes it: 0, or -1
  // when it cannot be opened (no directory, or the open fails). Write errors
  // other than EINTR are not reported, as the kernel side ignores them too.
  // Request threads and the polling thread may write at once: the path buffer
  // is shared, so writes take turns.
  int write(const char* name, const void* data, size_t length);
  int write(const char* name, const AttributeValue& value) {
    return write(name, value.bytes, value.length);
  }

 private:
  std::mutex mLock;
  char mPath[kPathSize] = {};
  size_t mPrefixLength = 0;
};

// Reads the divisor published in `path` ("%d" in at most 63 bytes). Logs with
// the driver's tag; `readError` starts the driver's message for an empty or
// failed read ("read dev err" gives "read dev err, len = %d"). Leaves *divisor
// unchanged on failure, and for a divisor of 0.
bool readSensorDivisor(const char* tag, const char* path, const char* readError, int* divisor);
