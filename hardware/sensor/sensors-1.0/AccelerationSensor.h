// The accelerometer driver (driver index 0, sensor id 0, Android type 1).
#pragma once

#include "PhysicalSensor.h"
#include "SensorSaved.h"

class AccelerationSensor : public PhysicalSensor {
 public:
  AccelerationSensor();

  int enable(int32_t sensorId, int enabled) override;
  int setDelay(int32_t sensorId, int64_t ns) override;
  int batch(int sensorId, int flags, int64_t samplingPeriodNs,
            int64_t maxBatchReportLatencyNs) override;
  int flush(int sensorId) override;

 protected:
  bool processEvent(const sensor_event& record) override;

 private:
  SensorSaved mSaved;
};
