#include "InertSensor.h"

#include <android/log.h>

int InertSensor::enable(int32_t sensorId, int enabled) {
  __android_log_print(ANDROID_LOG_ERROR, mTag, "no device: enable handle:%d, en:%d\n", sensorId,
                      enabled);
  return -1;
}

int InertSensor::batch(int sensorId, int, int64_t, int64_t) {
  __android_log_print(ANDROID_LOG_ERROR, mTag, "no device: batch handle:%d\n", sensorId);
  return -1;
}

int InertSensor::flush(int sensorId) {
  __android_log_print(ANDROID_LOG_ERROR, mTag, "no device: flush handle:%d\n", sensorId);
  return -1;
}
