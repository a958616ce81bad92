// Record layouts of this build's ABI, printed for a reader and checked against
// the Android figures and against what a C translation unit computes.
#include <gtest/gtest.h>
#include <hardware/hardware.h>
#include <hardware/sensors.h>

#include <cstring>
#include <iostream>
#include <string>

#include "layout_c.h"

namespace {

struct Expected {
  const char* record;
  size_t actual;
  size_t lp64;
  size_t ilp32;
  size_t fromC;
};

TEST(HalLayout, RecordSizes) {
  const kv_hal_layout c = kv_hal_layout_c();
  const Expected records[] = {
      {"hw_module_t", sizeof(hw_module_t), 248, 128, c.hw_module},
      {"hw_device_t", sizeof(hw_device_t), 120, 64, c.hw_device},
      {"sensors_module_t", sizeof(sensors_module_t), 264, 136, c.sensors_module},
      {"sensors_poll_device_1", sizeof(sensors_poll_device_1), 224, 116, c.sensors_poll_device_1},
      {"sensor_t", sizeof(sensor_t), 104, 68, c.sensor},
      {"sensors_event_t", sizeof(sensors_event_t), 104, 104, c.sensors_event},
      {"sensors_direct_mem_t", sizeof(sensors_direct_mem_t), 24, 16, c.sensors_direct_mem},
  };
  const bool lp64 = sizeof(void*) == 8;
  std::cout << "HAL record sizes, " << (lp64 ? "64" : "32") << "-bit ABI:\n";
  for (const Expected& r : records) {
    size_t expected = lp64 ? r.lp64 : r.ilp32;
    std::cout << "  " << r.record << " = " << r.actual << " (expected " << expected << ")\n";
    RecordProperty(std::string("sizeof_") + r.record, std::to_string(r.actual));
    EXPECT_EQ(r.actual, expected) << r.record;
    EXPECT_EQ(r.fromC, r.actual) << r.record << " differs between C and C++";
  }
  EXPECT_EQ(c.event_flags_offset, offsetof(sensors_event_t, flags));
  EXPECT_EQ(c.poll_device_batch_offset, offsetof(sensors_poll_device_1, batch));
}

// The v0 view and the 1.x members of the poll device are the same storage.
TEST(HalLayout, PollDeviceV0AliasesCommonAndOperations) {
  sensors_poll_device_1 dev;
  memset(&dev, 0, sizeof dev);
  EXPECT_EQ(static_cast<void*>(&dev.v0.common), static_cast<void*>(&dev.common));
  EXPECT_EQ(reinterpret_cast<void*>(&dev.v0.poll), reinterpret_cast<void*>(&dev.poll));
  EXPECT_EQ(offsetof(sensors_poll_device_1, batch), sizeof(sensors_poll_device_t));
}

// The event views overlay the 64-byte data area as the framework reads them.
TEST(HalLayout, EventViewsOverlayData) {
  sensors_event_t e;
  memset(&e, 0, sizeof e);
  e.acceleration.z = 9.5f;
  e.acceleration.status = SENSOR_STATUS_ACCURACY_HIGH;
  EXPECT_EQ(e.data[2], 9.5f);
  EXPECT_EQ(e.acceleration.v[2], 9.5f);
  EXPECT_EQ(e.orientation.roll, 9.5f);
  EXPECT_EQ(offsetof(sensors_event_t, acceleration.status), 24u + 12u);

  e.uncalibrated_gyro.y_bias = 1.5f;
  EXPECT_EQ(e.data[4], 1.5f);

  e.u64.step_counter = 0x1122334455667788ull;
  EXPECT_EQ(e.u64.data[0], 0x1122334455667788ull);
  EXPECT_EQ(offsetof(sensors_event_t, additional_info.data_int32), 24u + 8u);
  EXPECT_EQ(offsetof(sensors_event_t, meta_data.sensor), 24u + 4u);
}

TEST(HalLayout, VersionsAndTags) {
  EXPECT_EQ(HARDWARE_MODULE_TAG, 0x48574D54u);
  EXPECT_EQ(HARDWARE_DEVICE_TAG, 0x48574454u);
  EXPECT_EQ(SENSORS_MODULE_API_VERSION_0_1, 0x0001);
  EXPECT_EQ(SENSORS_DEVICE_API_VERSION_1_0, 0x01000001);
  EXPECT_EQ(SENSORS_DEVICE_API_VERSION_1_4, 0x01040001);
  EXPECT_STREQ(HAL_MODULE_INFO_SYM_AS_STR, "HMI");
}

TEST(HalLayout, FlagFieldsDoNotOverlap) {
  const unsigned masks[] = {SENSOR_FLAG_WAKE_UP,           SENSOR_FLAG_MASK_REPORTING_MODE,
                            SENSOR_FLAG_MASK_DATA_INJECTION, SENSOR_FLAG_MASK_DYNAMIC_SENSOR,
                            SENSOR_FLAG_MASK_ADDITIONAL_INFO, SENSOR_FLAG_MASK_DIRECT_REPORT,
                            SENSOR_FLAG_MASK_DIRECT_CHANNEL};
  unsigned seen = 0;
  for (unsigned m : masks) {
    EXPECT_EQ(seen & m, 0u) << std::hex << m;
    seen |= m;
  }
  EXPECT_EQ(SENSOR_FLAG_MASK(3, SENSOR_FLAG_SHIFT_REPORTING_MODE), SENSOR_FLAG_MASK_REPORTING_MODE);
  EXPECT_EQ(SENSOR_FLAG_MASK(3, SENSOR_FLAG_SHIFT_DIRECT_REPORT), SENSOR_FLAG_MASK_DIRECT_REPORT);
  EXPECT_EQ(SENSOR_FLAG_MASK(2, SENSOR_FLAG_SHIFT_DIRECT_CHANNEL), SENSOR_FLAG_MASK_DIRECT_CHANNEL);
  const unsigned veryFast = static_cast<unsigned>(SENSOR_DIRECT_RATE_VERY_FAST)
                            << SENSOR_FLAG_SHIFT_DIRECT_REPORT;
  EXPECT_EQ(veryFast & ~SENSOR_FLAG_MASK_DIRECT_REPORT, 0u);
  EXPECT_EQ(SENSOR_FLAG_DIRECT_CHANNEL_ASHMEM | SENSOR_FLAG_DIRECT_CHANNEL_GRALLOC,
            SENSOR_FLAG_MASK_DIRECT_CHANNEL);
}

}  // namespace
