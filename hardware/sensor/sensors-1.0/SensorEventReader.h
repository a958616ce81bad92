// The kernel event record of the sensor misc devices and the ring-buffer
// reader every driver reads them with (a device, or a pipe that a software
// driver posts records to itself through).
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <sys/types.h>

#include <memory>

// One 36-byte little-endian record, no padding.
struct __attribute__((packed)) sensor_event {
  int64_t timestamp;
  int8_t handle;        // sensor id (handle - 1)
  int8_t flush_action;  // see SensorRecordKind
  int8_t status;
  int8_t reserved;
  int32_t word[6];
};
static_assert(sizeof(sensor_event) == 36, "kernel event record is 36 bytes");
static_assert(offsetof(sensor_event, handle) == 8, "record layout");
static_assert(offsetof(sensor_event, flush_action) == 9, "record layout");
static_assert(offsetof(sensor_event, status) == 10, "record layout");
static_assert(offsetof(sensor_event, word) == 12, "record layout");

enum SensorRecordKind : int8_t {
  DATA_ACTION = 0,
  FLUSH_ACTION = 1,
  BIAS_ACTION = 2,
  CALIBRATE_ACTION = 3,
  TEMP_ACTION = 4,
};

class SensorEventCircularReader {
 public:
  explicit SensorEventCircularReader(size_t capacity);
  ~SensorEventCircularReader();
  SensorEventCircularReader(const SensorEventCircularReader&) = delete;
  SensorEventCircularReader& operator=(const SensorEventCircularReader&) = delete;

  // path: open the device read-only; null: a non-blocking pipe. 0 or -1.
  int selectSensorEventFd(const char* path);
  // Reads newly arrived records into the ring; returns how many.
  ssize_t fill();
  // *out = the oldest unconsumed record; true when there is one.
  bool readEvent(const sensor_event** out) {
    *out = mReadPos;
    return mFree < mCapacity;
  }
  // Consumes the oldest record (nothing when the ring is empty).
  void next() {
    if (mFree == mCapacity) return;
    if (++mReadPos >= mRingEnd) mReadPos = mRing.get();
    ++mFree;
  }
  bool pendingEvent() const { return mFree < mCapacity; }
  int writeEvent(const sensor_event* record);
  int getWriteFd() const { return mWriteFd; }
  int getReadFd() const { return mReadFd; }

 private:
  const size_t mCapacity;
  int mReadFd = -1;
  int mWriteFd = -1;
  std::unique_ptr<sensor_event[]> mRing;  // 2 x capacity slots
  sensor_event* mRingEnd;                 // slot capacity
  sensor_event* mFillPos;
  sensor_event* mReadPos;
  size_t mFree;
};
