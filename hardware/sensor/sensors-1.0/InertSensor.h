// A driver slot whose device is not there: no descriptor, no events, and every
// control operation fails, as a driver that could not open its device does.
#pragma once

#include "SensorBase.h"

class InertSensor : public SensorBase {
 public:
  explicit InertSensor(const char* tag) : mTag(tag) {}
  int readEvents(sensors_event_t*, int count) override { return count < 1 ? -22 : 0; }
  int getFd() override { return -1; }
  int enable(int32_t sensorId, int enabled) override;
  int batch(int sensorId, int flags, int64_t samplingPeriodNs,
            int64_t maxBatchReportLatencyNs) override;
  int flush(int sensorId) override;

 private:
  const char* mTag;
};
