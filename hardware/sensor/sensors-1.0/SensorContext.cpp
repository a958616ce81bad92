#include "SensorContext.h"

#include <errno.h>
#include <string.h>

#include "AccelerationSensor.h"
#include "InertSensor.h"
#include "SensorList.h"

#define LOG_TAG "SensorContext"
#include <log/log.h>

sensors_poll_context_t* sensors_poll_context_t::contextInstance = nullptr;
sensors_poll_context_t::DriverFactory sensors_poll_context_t::sDriverFactory =
    sensors_poll_context_t::createDefaultDriver;

namespace {

enum DriverIndex {
  accel = 0, magnetic, gyro, light, proximity, pressure, humidity, stepcounter, pedometer,
  activity, situation, scpfusion, apfusion, biometric, wakeupset,
};

// Slots whose driver comes later: their device is treated as missing.
const char* const kSlotTag[kDriverCount] = {
    "Accelerometer", "Magnetic", "Gyroscope", "Light", "Proximity", "Pressure", "HUMIDITY",
    "StepRecognize", "Pedometer", "Activity", "Situation", "ScpFusion", "ApFusion", "BIOMETRIC",
    "WakeUpSet",
};

}  // namespace

int handleToDriver(int sensorId) {
  switch (sensorId) {
    case 0: return accel;
    case 1: return magnetic;
    case 3: return gyro;
    case 4: case 69: return light;
    case 7: return proximity;
    case 5: return pressure;
    case 11: return humidity;
    case 16: case 17: case 18: case 65: return stepcounter;
    case 54: return pedometer;
    case 56: return activity;
    case 21: case 22: case 23: case 24: case 26: case 28: case 29: case 55: case 59: case 60:
    case 61: case 63: case 71:
      return situation;
    case 34: return scpfusion;
    case 15: case 70:
      return SensorList::getInstance()->hwGyroSupported() ? scpfusion : apfusion;
    case 2: case 8: case 9: case 10: case 13: case 14: case 19: case 57: return apfusion;
    case 66: case 67: case 68: return biometric;
    case 100: return wakeupset;
    default: return -22;
  }
}

SensorBase* sensors_poll_context_t::createDefaultDriver(int index, bool) {
  if (index == accel) return new AccelerationSensor();
  return new InertSensor(kSlotTag[index]);
}

sensors_poll_context_t* sensors_poll_context_t::getInstance() {
  if (!contextInstance) contextInstance = new sensors_poll_context_t();
  return contextInstance;
}

sensors_poll_context_t::sensors_poll_context_t() {
  ALOGE("sensors_poll_context_t constructor.\n");
  memset(&device, 0, sizeof device);
  bool hwGyro = SensorList::getInstance()->hwGyroSupported();
  // Creation order of the drivers; only the resulting positions matter.
  static const int kOrder[kDriverCount] = {0, 1, 4, 3, 2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
  for (int index : kOrder) {
    mDrivers[index] = sDriverFactory(index, hwGyro);
    mDriverFds[index].fd = mDrivers[index] ? mDrivers[index]->getFd() : -1;
    mDriverFds[index].events = POLLIN;
    mDriverFds[index].revents = 0;
  }
}

sensors_poll_context_t::~sensors_poll_context_t() {
  for (SensorBase*& driver : mDrivers) {
    delete driver;
    driver = nullptr;
  }
  if (contextInstance == this) contextInstance = nullptr;
}

int sensors_poll_context_t::activate(int sensorId, int en) {
  int index = handleToDriver(sensorId);
  if (index < 0 || index >= kDriverCount) {
    ALOGE("activate error index = %d\n", index);
    return 0;
  }
  return mDrivers[index] ? mDrivers[index]->enable(sensorId, en) : 0;
}

int sensors_poll_context_t::setDelay(int sensorId, int64_t ns) {
  int index = handleToDriver(sensorId);
  if (index < 0 || index >= kDriverCount) {
    ALOGE("setDelay error index = %d\n", index);
    return 0;
  }
  return mDrivers[index] ? mDrivers[index]->batch(sensorId, 0, ns, 0) : 0;
}

int sensors_poll_context_t::batch(int sensorId, int flags, int64_t period, int64_t timeout) {
  int index = handleToDriver(sensorId);
  if (index < 0 || index >= kDriverCount) {
    ALOGE("batch error index = %d\n", index);
    return 0;
  }
  return mDrivers[index] ? mDrivers[index]->batch(sensorId, flags, period, timeout) : 0;
}

int sensors_poll_context_t::flush(int sensorId) {
  int index = handleToDriver(sensorId);
  if (index < 0 || index >= kDriverCount) {
    ALOGE("flush error index = %d\n", index);
    return 0;
  }
  return mDrivers[index] ? mDrivers[index]->flush(sensorId) : 0;
}

int sensors_poll_context_t::setEvent(sensors_event_t* event, int driverIndex) {
  if (driverIndex < 0 || driverIndex >= kDriverCount) {
    ALOGE("setEvent error index = %d\n", driverIndex);
    return 0;
  }
  return mDrivers[driverIndex] ? mDrivers[driverIndex]->setEvent(event) : 0;
}

int sensors_poll_context_t::readyCount() {
  int ready = 0;
  for (int i = 0; i < kDriverCount; ++i)
    if ((mDriverFds[i].revents & POLLIN) || (mDrivers[i] && mDrivers[i]->pendingEvent())) ++ready;
  return ready;
}

void sensors_poll_context_t::computeCountForEachFd(int count, int* averageCount, int* loopCount) {
  int ready = readyCount();
  int share = ready > 0 ? count / ready : count;
  if (share == 0) share = count;
  *averageCount = share;
  *loopCount = ready > count ? 1 : ready;
}

int sensors_poll_context_t::pollEvent(sensors_event_t* data, int count) {
  int total = 0;
  int pass = 0;
  for (;;) {
    ++pass;
    int share, visits;
    computeCountForEachFd(count, &share, &visits);
    const int passVisits = visits;
    if (visits > 0 && count > 0) {
      for (int i = 0; i < kDriverCount && visits > 0 && count > 0; ++i) {
        bool ready = (mDriverFds[i].revents & POLLIN) || (mDrivers[i] && mDrivers[i]->pendingEvent());
        if (!ready || !mDrivers[i]) continue;
        int nb = mDrivers[i]->readEvents(data, share);
        if (nb < 0 || nb > share) {
          ALOGE("pollEvents nb:%d, averageCount:%d, loop:%d, backupcount:%d, loopcount:%d, "
                "backuploop:%d\n",
                nb, share, visits, count, pass, passVisits);
          // A failed read delivers nothing this pass; a driver that claims more
          // than its share keeps only its share. The data pointer never moves
          // backwards and never past the caller's array.
          nb = nb < 0 ? 0 : share;
        }
        for (int k = 0; k < nb; ++k) {
          if (data[k].type == SENSOR_TYPE_META_DATA) data[k].meta_data.sensor += 1;
          else data[k].sensor += 1;
        }
        count -= nb;
        total += nb;
        data += nb;
        --visits;
      }
    }
    int n;
    do {
      n = poll(mDriverFds, kDriverCount, total == 0 ? -1 : 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
      int err = errno;
      ALOGE("poll() failed (%s)", strerror(err));
      return -err;
    }
    if (count <= 0 || n <= 0) return total;
  }
}
