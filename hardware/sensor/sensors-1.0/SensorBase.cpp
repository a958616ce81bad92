#include "SensorBase.h"

#include <inttypes.h>
#include <utils/SystemClock.h>

#define LOG_TAG "SensorBase"
#include <log/log.h>

SensorBase::~SensorBase() {}

int SensorBase::setDelay(int32_t sensorId, int64_t ns) {
  ALOGD("handle=%d,ns=%" PRId64 "\n", sensorId, ns);
  return 0;
}

int SensorBase::setEvent(sensors_event_t* event) {
  ALOGD("handle=%d x=%f, y=%f, z=%f\n", event->sensor, event->data[0], event->data[1],
        event->data[2]);
  return 0;
}

bool SensorBase::pendingEvent() { return false; }

int64_t SensorBase::getTimestamp() { return android::elapsedRealtimeNano(); }
