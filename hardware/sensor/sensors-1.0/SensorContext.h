// The poll context: the poll device handed to the framework, one driver per
// kernel sensor device, and the poll loop over their descriptors.
#pragma once

#include <hardware/sensors.h>
#include <poll.h>

#include <cstddef>
#include <type_traits>

#include "SensorBase.h"

constexpr int kDriverCount = 15;

// Driver index serving a sensor id; -22 for an id no driver serves.
int handleToDriver(int sensorId);

struct sensors_poll_context_t {
  // Builds the driver of a slot; tests may install their own before the
  // context is created.
  using DriverFactory = SensorBase* (*)(int index, bool hwGyroSupported);

  // The framework's device; the device pointer and the context pointer are
  // the same address.
  sensors_poll_device_1 device;
  struct pollfd mDriverFds[kDriverCount];
  SensorBase* mDrivers[kDriverCount];

  static sensors_poll_context_t* getInstance();
  static sensors_poll_context_t* contextInstance;
  static DriverFactory sDriverFactory;
  static SensorBase* createDefaultDriver(int index, bool hwGyroSupported);

  ~sensors_poll_context_t();

  int activate(int sensorId, int en);
  int setDelay(int sensorId, int64_t ns);
  int batch(int sensorId, int flags, int64_t period, int64_t timeout);
  int flush(int sensorId);
  int setEvent(sensors_event_t* event, int driverIndex);
  int pollEvent(sensors_event_t* data, int count);
  void computeCountForEachFd(int count, int* averageCount, int* loopCount);

 private:
  sensors_poll_context_t();
  int readyCount();
};

static_assert(std::is_standard_layout<sensors_poll_context_t>::value,
              "the device member must be usable as the context");
static_assert(offsetof(sensors_poll_context_t, device) == 0, "device comes first");
