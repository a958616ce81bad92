// The pattern shared by the kernel-backed drivers: a misc device read through
// a ring, a sysfs directory written through attributes, a divisor, a pending
// event and a flush count. A driver supplies its description and how one
// record becomes an event.
#pragma once

#include <atomic>

#include "SensorAttribute.h"
#include "SensorBase.h"
#include "SensorEventReader.h"

// What differs between kernel-backed drivers (one row per driver).
struct PhysicalSensorDesc {
  const char* tag;         // Android log tag
  const char* device;      // misc device, "/dev/m_acc_misc"
  const char* directory;   // sysfs directory, "/sys/class/sensor/m_acc_misc/"
  const char* prefix;      // attribute prefix, "acc"
  size_t capacity;         // ring capacity in records
  int sensorId;            // id of the pending event
  int sensorType;          // Android type of the pending event
};

class PhysicalSensor : public SensorBase {
 public:
  explicit PhysicalSensor(const PhysicalSensorDesc& desc);

  int readEvents(sensors_event_t* data, int count) override;
  int getFd() override { return mReader.getReadFd(); }
  bool pendingEvent() override { return mReader.pendingEvent(); }

  int divisor() const { return mDivisor; }
  bool isEnabled() const { return mEnabled.load(); }

 protected:
  // Interprets one record; true when mPendingEvent is to be emitted.
  virtual bool processEvent(const sensor_event& record) = 0;

  // Writes "<prefix><suffix>" (e.g. "accbatch"); 0, or -1 when it cannot be opened.
  int writeAttribute(const char* suffix, const AttributeValue& value);
  int writeAttribute(const char* suffix, const void* data, size_t length);
  // Reads the divisor from "<prefix>active"; readError as for readSensorDivisor.
  void readDivisor(const char* readError);
  // Sets the pending event to the flush answer for the sensor id.
  void setFlushAnswer(int sensorId);
  void log(int priority, const char* fmt, ...) __attribute__((format(printf, 3, 4)));

  const PhysicalSensorDesc& mDesc;
  SensorEventCircularReader mReader;
  SensorAttributePath mPath;
  sensors_event_t mPendingEvent;
  int mDivisor = 1;
  // Written by request threads, read by the polling thread.
  std::atomic<int> mEnabled{0};
  std::atomic<int> mFlushCount{0};
};
