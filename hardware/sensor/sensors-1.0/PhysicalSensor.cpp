#include "PhysicalSensor.h"

#include <android/log.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <utils/SystemClock.h>

PhysicalSensor::PhysicalSensor(const PhysicalSensorSpec& spec)
    : mSpec(spec), mReader(spec.capacity) {
  memset(&mPendingEvent, 0, sizeof mPendingEvent);
  mPendingEvent.version = sizeof(sensors_event_t);
  mPendingEvent.sensor = spec.sensorId;
  mPendingEvent.type = spec.sensorType;
  if (mReader.selectSensorEventFd(spec.device) < 0) {
    log(ANDROID_LOG_ERROR, "couldn't find sensor device");
  } else {
    mPath.setDirectory(spec.directory);
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

const char* PhysicalSensor::attributeName(const char* suffix) {
  snprintf(mAttributeName, sizeof mAttributeName, "%s%s", mSpec.prefix, suffix);
  return mAttributeName;
}

int PhysicalSensor::writeAttribute(const char* suffix, const AttributeValue& value) {
  return mPath.write(attributeName(suffix), value);
}

void PhysicalSensor::readDivisor(const char* readError) {
  if (!mPath.hasDirectory()) return;
  char path[SensorAttributePath::kPathSize];
  snprintf(path, sizeof path, "%s%s", mSpec.directory, attributeName("active"));
  readSensorDivisor(mSpec.tag, path, readError, &mDivisor);
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
  __android_log_vprint(priority, mSpec.tag, fmt, ap);
  va_end(ap);
}
