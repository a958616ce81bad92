#include "AccelerationSensor.h"

#include <inttypes.h>
#include <string.h>

#include <android/log.h>

namespace {

const PhysicalSensorDesc kAccelerometer = {
    "Accelerometer", "/dev/m_acc_misc", "/sys/class/sensor/m_acc_misc/", "acc", 128,
    0, SENSOR_TYPE_ACCELEROMETER,
};

}  // namespace

AccelerationSensor::AccelerationSensor() : PhysicalSensor(kAccelerometer) {
  mPendingEvent.acceleration.status = SENSOR_STATUS_ACCURACY_HIGH;
  if (!mPath.hasDirectory()) return;
  readDivisor("read dev err");

  float bias[3] = {0, 0, 0};
  int32_t cali[3] = {0, 0, 0};
  if (!mSaved.getCalibrationFloat("acc_bias.json", "acc_bias", bias, 3))
    memset(bias, 0, sizeof bias);
  log(ANDROID_LOG_INFO, "read bias: [%f, %f, %f]\n", bias[0], bias[1], bias[2]);
  if (!mSaved.getCalibrationInt32("acc_cali.json", "acc_cali", cali, 3))
    memset(cali, 0, sizeof cali);
  log(ANDROID_LOG_INFO, "read cali: [%d, %d, %d]\n", cali[0], cali[1], cali[2]);

  // The kernel gets the bias back in its own scale, then the calibration words.
  int32_t payload[6];
  for (int i = 0; i < 3; ++i)
    payload[i] = static_cast<int32_t>(bias[i] * static_cast<float>(mDivisor));
  memcpy(payload + 3, cali, sizeof cali);
  if (writeAttribute("cali", payload, sizeof payload) < 0)
    log(ANDROID_LOG_ERROR, "no cali attr\r\n");
}

int AccelerationSensor::enable(int32_t sensorId, int enabled) {
  log(ANDROID_LOG_INFO, "enable: handle:%d, en:%d\r\n", sensorId, enabled);
  if (writeAttribute("active", attr::activeFlag(enabled)) < 0) {
    log(ANDROID_LOG_ERROR, "no enable control attr\r\n");
    return -1;
  }
  mEnabled = enabled != 0;
  return 0;
}

int AccelerationSensor::setDelay(int32_t sensorId, int64_t ns) {
  log(ANDROID_LOG_INFO, "setDelay: (handle=%d, ns=%" PRId64 ")", sensorId, ns);
  if (writeAttribute("delay", attr::delay(ns)) < 0) {
    log(ANDROID_LOG_ERROR, "no setDelay control attr \r\n");
    return -1;
  }
  return 0;
}

int AccelerationSensor::batch(int sensorId, int flags, int64_t samplingPeriodNs,
                              int64_t maxBatchReportLatencyNs) {
  log(ANDROID_LOG_INFO,
      "batch: handle:%d, flag:%d,samplingPeriodNs:%" PRId64 " maxBatchReportLatencyNs:%" PRId64 "\r\n",
      sensorId, flags, samplingPeriodNs, maxBatchReportLatencyNs);
  if (writeAttribute("batch", attr::batch(sensorId, flags, samplingPeriodNs,
                                          maxBatchReportLatencyNs)) < 0) {
    log(ANDROID_LOG_ERROR, "no batch control attr\r\n");
    return -1;
  }
  return 0;
}

int AccelerationSensor::flush(int sensorId) {
  int count = ++mFlushCount;
  log(ANDROID_LOG_INFO, "flush, flushCnt:%d\n", count);
  if (writeAttribute("flush", attr::flush(sensorId)) < 0) {
    log(ANDROID_LOG_ERROR, "no flush control attr\r\n");
    return -1;
  }
  return 0;
}

bool AccelerationSensor::processEvent(const sensor_event& record) {
  const float divisor = static_cast<float>(mDivisor);
  switch (record.flush_action) {
    case DATA_ACTION:
      mPendingEvent.version = sizeof(sensors_event_t);
      mPendingEvent.sensor = 0;
      mPendingEvent.type = SENSOR_TYPE_ACCELEROMETER;
      mPendingEvent.timestamp = record.timestamp;
      for (int i = 0; i < 3; ++i)
        mPendingEvent.data[i] = static_cast<float>(record.word[i]) / divisor;
      mPendingEvent.acceleration.status = record.status;
      return true;
    case FLUSH_ACTION:
      setFlushAnswer(0);
      log(ANDROID_LOG_INFO, "flush complete, flushCnt:%d\n", --mFlushCount);
      return true;
    case BIAS_ACTION: {
      float bias[3];
      for (int i = 0; i < 3; ++i) bias[i] = static_cast<float>(record.word[i]) / divisor;
      mSaved.saveCalibrationFloat("acc_bias.json", "acc_bias", bias, 3);
      log(ANDROID_LOG_INFO, "write bias: [%f, %f, %f]\n", bias[0], bias[1], bias[2]);
      return false;
    }
    case CALIBRATE_ACTION: {
      int32_t cali[3];
      memcpy(cali, record.word, sizeof cali);
      mSaved.saveCalibrationInt32("acc_cali.json", "acc_cali", cali, 3);
      log(ANDROID_LOG_INFO, "write cali: [%d, %d, %d]\n", cali[0], cali[1], cali[2]);
      return false;
    }
    default:
      log(ANDROID_LOG_ERROR, "unknow action\n");
      return false;
  }
}
