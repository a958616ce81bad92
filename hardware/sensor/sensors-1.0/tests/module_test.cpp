// The module as the Android sensors service uses it: loaded from the staged
// image through hw_get_module, driven only through the device operations,
// against a simulated accelerometer.
#include <gtest/gtest.h>
#include <hardware/hardware.h>
#include <hardware/sensors.h>
#include <string.h>
#include <utils/SystemClock.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "kv/logcapture.h"
#include "sim/handset.h"
#include "sim/sensor_simulator.h"

namespace {

using namespace std::chrono_literals;

std::string padded(const std::string& text, size_t size) {
  std::string s = text;
  s.resize(size, '\0');
  return s;
}

class Module : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    handset_ = kv::sim::Handset::create({}, &error);
    ASSERT_TRUE(handset_) << error;
    sim_ = kv::sim::SensorSimulator::create(*handset_, &error);
    ASSERT_TRUE(sim_) << error;
    ASSERT_TRUE(sim_->addDevice("acc", &error)) << error;
  }
  void open() {
    const hw_module_t* hw = nullptr;
    ASSERT_EQ(hw_get_module(SENSORS_HARDWARE_MODULE_ID, &hw), 0);
    module_ = reinterpret_cast<sensors_module_t*>(const_cast<hw_module_t*>(hw));
    hw_device_t* device = nullptr;
    ASSERT_EQ(module_->common.methods->open(&module_->common, SENSORS_HARDWARE_POLL, &device), 0);
    dev_ = reinterpret_cast<sensors_poll_device_1*>(device);
    count_ = module_->get_sensors_list(module_, &list_);
  }
  void TearDown() override {
    if (dev_) dev_->common.close(&dev_->common);
    sim_.reset();
    handset_.reset();
  }
  // Polls until `n` events arrived (or a generous deadline passes).
  std::vector<sensors_event_t> pollFor(size_t n) {
    std::vector<sensors_event_t> got;
    sensors_event_t buf[128];
    while (got.size() < n) {
      int r = dev_->poll(&dev_->v0, buf, 128);
      if (r <= 0) break;
      got.insert(got.end(), buf, buf + r);
    }
    return got;
  }
  bool wroteAttribute(const std::string& attribute, const std::string& bytes) {
    sim_->waitForWrites(1, 2000ms);
    for (int tries = 0; tries < 200; ++tries) {
      for (const auto& w : sim_->attributeWrites())
        if (w.attribute == attribute && w.bytes == bytes) return true;
      std::this_thread::sleep_for(10ms);
    }
    return false;
  }

  std::unique_ptr<kv::sim::Handset> handset_;
  std::unique_ptr<kv::sim::SensorSimulator> sim_;
  sensors_module_t* module_ = nullptr;
  sensors_poll_device_1* dev_ = nullptr;
  const sensor_t* list_ = nullptr;
  int count_ = 0;
};

TEST_F(Module, RecordsOfTheModuleAndTheDevice) {
  open();
  EXPECT_EQ(module_->common.tag, HARDWARE_MODULE_TAG);
  EXPECT_EQ(module_->common.module_api_version, SENSORS_MODULE_API_VERSION_0_1);
  EXPECT_STREQ(module_->common.id, "sensors");
  EXPECT_STREQ(module_->common.name, "ZYR SENSORS Module");
  EXPECT_STREQ(module_->common.author, "Korvalen");
  EXPECT_EQ(module_->set_operation_mode, nullptr);
  EXPECT_NE(module_->common.dso, nullptr);
  EXPECT_EQ(dev_->common.tag, HARDWARE_DEVICE_TAG);
  EXPECT_EQ(dev_->common.version, static_cast<uint32_t>(SENSORS_DEVICE_API_VERSION_1_4));
  EXPECT_EQ(dev_->common.module, &module_->common);
  // No /dev/sensorlist: the default five.
  ASSERT_EQ(count_, 5);
  const char* names[] = {"ACCELEROMETER", "LIGHT", "PRESSURE", "PROXIMITY", "WAKE_GESTURE"};
  const int handles[] = {1, 5, 6, 8, 23};
  for (int i = 0; i < 5; ++i) {
    EXPECT_STREQ(list_[i].name, names[i]);
    EXPECT_EQ(list_[i].handle, handles[i]);
    EXPECT_STREQ(list_[i].vendor, "ZYR");
  }
  uint32_t bits;
  memcpy(&bits, &list_[0].maxRange, 4);
  EXPECT_EQ(bits, 0x429CE80Au);
  EXPECT_EQ(dev_->inject_sensor_data(dev_, nullptr), 0);
}

TEST_F(Module, AccelerometerEventsReachTheService) {
  // Words (9806, 0, -9806) over the kernel's divisor 1000.
  sim_->setScene("acc", [](uint64_t, kv::sim::SensorRecord& r) {
    r.word[0] = 9806;
    r.word[1] = 0;
    r.word[2] = -9806;
    return true;
  });
  open();
  sim_->clearWrites();
  int64_t before = android::elapsedRealtimeNano();
  ASSERT_EQ(dev_->batch(dev_, 1, 0, 20000000, 0), 0);
  ASSERT_EQ(dev_->activate(&dev_->v0, 1, 1), 0);
  EXPECT_TRUE(wroteAttribute("accbatch", padded("0,0,20000000,0", 128)));
  EXPECT_TRUE(wroteAttribute("accactive", std::string("1\0", 2)));

  std::vector<sensors_event_t> events = pollFor(5);
  ASSERT_GE(events.size(), 5u);
  int64_t last = 0;
  for (const sensors_event_t& e : events) {
    ASSERT_EQ(e.type, SENSOR_TYPE_ACCELEROMETER);
    EXPECT_EQ(e.sensor, 1);
    EXPECT_EQ(e.version, static_cast<int>(sizeof(sensors_event_t)));
    EXPECT_FLOAT_EQ(e.acceleration.x, 9806.0f / 1000.0f);
    EXPECT_FLOAT_EQ(e.acceleration.y, 0.0f);
    EXPECT_FLOAT_EQ(e.acceleration.z, -9806.0f / 1000.0f);
    EXPECT_GE(e.timestamp, before);  // the kernel's record time, boot-time based
    EXPECT_LE(e.timestamp, android::elapsedRealtimeNano());
    EXPECT_GT(e.timestamp, last);
    last = e.timestamp;
  }

  ASSERT_EQ(dev_->flush(dev_, 1), 0);
  EXPECT_TRUE(wroteAttribute("accflush", padded("0", 32)));
  bool answered = false;
  for (int polls = 0; polls < 200 && !answered; ++polls) {
    sensors_event_t buf[128];
    int n = dev_->poll(&dev_->v0, buf, 128);
    for (int i = 0; i < n; ++i)
      if (buf[i].type == SENSOR_TYPE_META_DATA) {
        EXPECT_EQ(buf[i].meta_data.what, META_DATA_FLUSH_COMPLETE);
        EXPECT_EQ(buf[i].meta_data.sensor, 1);
        answered = true;
      }
  }
  EXPECT_TRUE(answered);

  ASSERT_EQ(dev_->activate(&dev_->v0, 1, 0), 0);
  EXPECT_TRUE(wroteAttribute("accactive", std::string("0\0", 2)));
}

TEST_F(Module, PeriodIsClampedToTheSensorsLimits) {
  open();
  sim_->clearWrites();
  dev_->batch(dev_, 1, 0, 1000000, 0);  // 1 ms, minDelay 5 ms
  EXPECT_TRUE(wroteAttribute("accbatch", padded("0,0,5000000,0", 128)));
}

TEST_F(Module, UnknownHandlesFailWithoutHarm) {
  open();
  kv::LogCapture capture;
  EXPECT_EQ(dev_->activate(&dev_->v0, 200, 1), -1);
  EXPECT_EQ(dev_->batch(dev_, 200, 0, 1000, 0), -1);
  EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "SensorManager",
                               "\tactivate >>>ERROR: handle: 199 not found, sensor may load fail"));
  EXPECT_EQ(dev_->flush(dev_, 200), 0);
  EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "SensorContext", "flush error index = -22\n"));
  // A listed sensor whose device is missing reports the failure.
  EXPECT_EQ(dev_->batch(dev_, 6, 0, 100000000, 0), -1);
}

TEST_F(Module, CloseAndOpenAgainBuildsAFreshModule) {
  open();
  dev_->batch(dev_, 1, 0, 20000000, 0);
  dev_->activate(&dev_->v0, 1, 1);
  dev_->common.close(&dev_->common);
  dev_ = nullptr;
  sim_->resetDivisors();
  open();
  EXPECT_EQ(count_, 5);
  // The new manager holds no request: activating without batch leaves it off.
  kv::LogCapture capture;
  EXPECT_EQ(dev_->activate(&dev_->v0, 1, 1), 0);
  EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "SensorManager",
                               "\tactivate >>>ERROR: activate called without batch"));
}

// The service's poll thread and request threads at the same time.
TEST_F(Module, PollThreadAndRequestThreadsRunTogether) {
  open();
  std::atomic<bool> stop{false};
  std::atomic<long> events{0};
  std::thread poller([&] {
    sensors_event_t buf[128];
    while (!stop) {
      int n = dev_->poll(&dev_->v0, buf, 128);
      if (n > 0) events += n;
    }
  });
  std::vector<std::thread> requesters;
  for (int t = 0; t < 3; ++t) {
    requesters.emplace_back([&, t] {
      for (int i = 0; i < 20; ++i) {
        dev_->batch(dev_, 1, 0, (t + 1) * 5000000, 0);
        dev_->activate(&dev_->v0, 1, 1);
        dev_->flush(dev_, 1);
        dev_->activate(&dev_->v0, 200, 1);
      }
    });
  }
  for (auto& r : requesters) r.join();
  dev_->batch(dev_, 1, 0, 5000000, 0);
  dev_->activate(&dev_->v0, 1, 1);
  while (events < 10) std::this_thread::sleep_for(5ms);
  stop = true;
  dev_->flush(dev_, 1);  // wakes the poll thread with a flush answer
  poller.join();
  EXPECT_GE(events.load(), 10);
}

}  // namespace
