#include "PhysicalSensor.h"

#include <android/log.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <utils/SystemClock.h>

PhysicalSensor::PhysicalSensor(const PhysicalSensorDesc& desc)
    : mDesc(desc), mReader(desc.capacity) {
  memset(&mPendingEvent, 0, sizeof mPendingEvent);
  mPendingEvent.version = sizeof(sensors_event_t);
  mPendingEvent.sensor = desc.sensorId;
  mPendingEvent.type = desc.sensorType;
  if (mReader.selectSensorEventFd(desc.device) < 0) {
    log(ANDROID_LOG_ERROR, "couldn't find sensor device");
  } else {
    mPath.setDirectory(desc.directory);
  }
  log(ANDROID_LOG_DEBUG, "misc path =%s", mPath.directory());
}

int PhysicalSensor::readEvents(sensors_event_t* data, int count) {
  if (count < 1) return -22;
  mReader.fill();
  int emitted = 0;
  const sensor_event* record;
  while (count && mReader.readEvent(&record)) {
    if (processEvent(*record)) {
      *data++ = mPendingEvent;
      --count;
      ++emitted;
    }
    mReader.next();
  }
  return emitted;
}

int PhysicalSensor::writeAttribute(const char* suffix, const void* data, size_t length) {
  char name[64];
  snprintf(name, sizeof name, "%s%s", mDesc.prefix, suffix);
  return mPath.write(name, data, length);
}

int PhysicalSensor::writeAttribute(const char* suffix, const AttributeValue& value) {
  return writeAttribute(suffix, value.bytes, value.length);
}

void PhysicalSensor::readDivisor(const char* readError) {
  if (!mPath.hasDirectory()) return;
  char path[SensorAttributePath::kPathSize];
  snprintf(path, sizeof path, "%s%sactive", mDesc.directory, mDesc.prefix);
  readSensorDivisor(mDesc.tag, path, readError, &mDivisor);
}

void PhysicalSensor::setFlushAnswer(int sensorId) {
  memset(&mPendingEvent, 0, sizeof mPendingEvent);
  mPendingEvent.version = 0;
  mPendingEvent.sensor = 0;
  mPendingEvent.type = SENSOR_TYPE_META_DATA;
  mPendingEvent.meta_data.what = META_DATA_FLUSH_COMPLETE;
  mPendingEvent.meta_data.sensor = sensorId;
  mPendingEvent.timestamp = android::elapsedRealtimeNano();
}

void PhysicalSensor::log(int priority, const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  __android_log_vprint(priority, mDesc.tag, fmt, ap);
  va_end(ap);
}
