// The accelerometer driver against a simulated device: the kernel's divisor
// and calibration payload at construction, data, bias and calibration records.
#include <gtest/gtest.h>
#include <string.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "AccelerationSensor.h"
#include "SensorSaved.h"
#include "kv/logcapture.h"
#include "sim/handset.h"
#include "sim/sensor_simulator.h"
#include "sim_fixture.h"

namespace {

using namespace std::chrono_literals;

kv::sim::SensorRecord record(int8_t action, int32_t w0, int32_t w1, int32_t w2, int64_t ts = 1000) {
  kv::sim::SensorRecord r;
  memset(&r, 0, sizeof r);
  r.timestamp = ts;
  r.handle = 0;
  r.flush_action = action;
  r.status = 2;
  r.word[0] = w0;
  r.word[1] = w1;
  r.word[2] = w2;
  return r;
}

class Accelerometer : public SimulatedKernelTest {
 protected:
  void SetUp() override {
    SimulatedKernelTest::SetUp();
    if (HasFatalFailure()) return;
    std::string error;
    ASSERT_TRUE(sim_->addDevice("acc", &error)) << error;
    SensorSaved::resetDirectoryForTest();
  }
  std::string file(const std::string& handsetPath) {
    std::ifstream in(handset_->hostPath(handsetPath), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Reads until `want` events or the ring and device are empty.
  int read(AccelerationSensor& acc, sensors_event_t* out, int count) {
    for (int tries = 0; tries < 100; ++tries) {
      int n = acc.readEvents(out, count);
      if (n != 0) return n;
      std::this_thread::sleep_for(2ms);
    }
    return 0;
  }
};

TEST_F(Accelerometer, ConstructionHandsCalibrationBackToTheKernel) {
  ASSERT_TRUE(handset_->writeFile("/data/vendor/sensor/acc_bias.json",
                                  "{\n  \"acc_bias\": [\n      0.5,\n      -0.25,\n      0\n    ]\n}"));
  ASSERT_TRUE(handset_->writeFile("/data/vendor/sensor/acc_cali.json",
                                  "{ \"acc_cali\": [7, -8, 9] }"));
  AccelerationSensor acc;
  EXPECT_EQ(acc.divisor(), 1000);
  ASSERT_TRUE(sim_->waitForWrites(1, 2000ms));
  auto writes = sim_->attributeWrites();
  ASSERT_EQ(writes.back().attribute, "acccali");
  int32_t payload[6];
  ASSERT_EQ(writes.back().bytes.size(), sizeof payload);
  memcpy(payload, writes.back().bytes.data(), sizeof payload);
  EXPECT_EQ(payload[0], 500);   // bias x divisor
  EXPECT_EQ(payload[1], -250);
  EXPECT_EQ(payload[2], 0);
  EXPECT_EQ(payload[3], 7);
  EXPECT_EQ(payload[4], -8);
  EXPECT_EQ(payload[5], 9);
}

TEST_F(Accelerometer, MissingCalibrationSendsZeros) {
  AccelerationSensor acc;
  ASSERT_TRUE(sim_->waitForWrites(1, 2000ms));
  EXPECT_EQ(sim_->attributeWrites().back().bytes, std::string(24, '\0'));
}

TEST_F(Accelerometer, RecordsBecomeEventsBiasAndCalibration) {
  AccelerationSensor acc;
  kv::LogCapture capture;
  ASSERT_TRUE(sim_->writeRecords("acc", {record(0, 9806, 0, -9806, 77), record(2, 120, -30, 0),
                                         record(3, 1, 2, 3), record(9, 0, 0, 0),
                                         record(1, 0, 0, 0)}));
  sensors_event_t out[8];
  ASSERT_EQ(read(acc, out, 8), 2);  // the data record and the flush answer only
  EXPECT_EQ(out[0].version, 104);
  EXPECT_EQ(out[0].type, SENSOR_TYPE_ACCELEROMETER);
  EXPECT_EQ(out[0].sensor, 0);
  EXPECT_EQ(out[0].timestamp, 77);
  EXPECT_FLOAT_EQ(out[0].acceleration.x, 9.806f);
  EXPECT_FLOAT_EQ(out[0].acceleration.z, -9.806f);
  EXPECT_EQ(out[0].acceleration.status, 2);
  EXPECT_EQ(out[1].version, 0);
  EXPECT_EQ(out[1].type, SENSOR_TYPE_META_DATA);
  EXPECT_EQ(out[1].meta_data.what, META_DATA_FLUSH_COMPLETE);
  EXPECT_EQ(out[1].meta_data.sensor, 0);
  EXPECT_EQ(file("/data/vendor/sensor/acc_bias.json"),
            "{\n  \"acc_bias\": [\n      0.120000,\n      -0.030000,\n      0.000000\n    ]\n}");
  EXPECT_EQ(file("/data/vendor/sensor/acc_cali.json"),
            "{\n  \"acc_cali\": [\n      1,\n      2,\n      3\n    ]\n}");
  EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "Accelerometer", "unknow action\n"));
}

TEST_F(Accelerometer, CountLimitLeavesTheRestInTheRing) {
  AccelerationSensor acc;
  std::vector<kv::sim::SensorRecord> batch;
  for (int i = 0; i < 5; ++i) batch.push_back(record(0, i, 0, 0, 100 + i));
  ASSERT_TRUE(sim_->writeRecords("acc", batch));
  sensors_event_t out[5];
  EXPECT_EQ(acc.readEvents(out, 0), -22);
  ASSERT_EQ(read(acc, out, 2), 2);
  EXPECT_TRUE(acc.pendingEvent());
  ASSERT_EQ(acc.readEvents(out, 5), 3);  // from the ring; the empty device does not block
  EXPECT_EQ(out[0].timestamp, 102);
  EXPECT_FALSE(acc.pendingEvent());
}

TEST(AccelerometerMissing, EveryOperationFails) {
  auto handset = kv::sim::Handset::createBare();
  kv::LogCapture capture;
  AccelerationSensor acc;
  EXPECT_EQ(acc.getFd(), -1);
  EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "Accelerometer", "couldn't find sensor device"));
  EXPECT_EQ(acc.enable(0, 1), -1);
  EXPECT_EQ(acc.batch(0, 0, 20000000, 0), -1);
  EXPECT_EQ(acc.flush(0), -1);
  EXPECT_EQ(acc.setDelay(0, 20000000), -1);
  EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "Accelerometer", "no enable control attr\r\n"));
  EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "Accelerometer", "no batch control attr\r\n"));
  EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "Accelerometer", "no flush control attr\r\n"));
}

}  // namespace
