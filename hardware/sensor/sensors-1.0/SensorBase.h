// The driver interface of the sensor module: one object per kernel sensor
// device (or software sensor), created by the poll context.
#pragma once

#include <hardware/sensors.h>
#include <stdint.h>

class SensorBase {
 public:
  virtual ~SensorBase();
  // Writes at most count events to data; returns how many were written.
  virtual int readEvents(sensors_event_t* data, int count) = 0;
  // Descriptor the poll loop waits on; -1 when the driver has none.
  virtual int getFd() = 0;
  virtual int setDelay(int32_t sensorId, int64_t ns);
  virtual int enable(int32_t sensorId, int enabled) = 0;
  virtual int batch(int sensorId, int flags, int64_t samplingPeriodNs,
                    int64_t maxBatchReportLatencyNs) = 0;
  virtual int flush(int sensorId) = 0;
  // An event of another sensor that the sensor manager routes to this driver.
  virtual int setEvent(sensors_event_t* event);
  // True while the driver holds events it can deliver without its descriptor
  // becoming readable.
  virtual bool pendingEvent();

  int64_t getTimestamp();
};
