// The stand-in customisation library as the sensor list loads it: dlopen by
// file, getDynamicSensorList, one table per KV_SENSORLIST_CUST_TABLE value.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <set>
#include <string>

#include "sensorlist_cust_tables.h"

namespace {

using GetList = int (*)(struct sensor_t**);

class SensorListCust : public ::testing::Test {
 protected:
  void SetUp() override {
    handle_ = dlopen(KV_SENSORLIST_CUST_LIBRARY, RTLD_NOW | RTLD_GLOBAL);
    ASSERT_NE(handle_, nullptr) << dlerror();
    get_ = reinterpret_cast<GetList>(dlsym(handle_, "getDynamicSensorList"));
    ASSERT_NE(get_, nullptr) << "getDynamicSensorList must be exported unmangled";
  }
  void TearDown() override {
    unsetenv(SENSORLIST_CUST_TABLE_ENV);
    if (handle_) dlclose(handle_);
  }
  // The table chosen by `variant` (null: the variable unset).
  int table(const char* variant, sensor_t** list) {
    if (variant) setenv(SENSORLIST_CUST_TABLE_ENV, variant, 1);
    else unsetenv(SENSORLIST_CUST_TABLE_ENV);
    *list = nullptr;
    return get_(list);
  }
  static void expectComplete(const sensor_t& s) {
    ASSERT_NE(s.name, nullptr);
    ASSERT_NE(s.vendor, nullptr);
    ASSERT_NE(s.stringType, nullptr);
    EXPECT_EQ(s.version, 1) << s.name;
    EXPECT_EQ(s.type, s.handle) << s.name;  // the handles of the sensor list are the types
    EXPECT_GT(s.maxRange, 0.0f) << s.name;
    EXPECT_GT(s.resolution, 0.0f) << s.name;
  }

  void* handle_ = nullptr;
  GetList get_ = nullptr;
};

TEST_F(SensorListCust, DefaultTableHasARecordPerFittedChipAtItsSlotsHandle) {
  const char* slots[7] = SENSORLIST_CUST_DEMO_SLOTS;
  const int slotSensorId[7] = {0, 3, 1, 4, 7, 5, 71};
  for (const char* variant : {static_cast<const char*>(nullptr), "no_such_table"}) {
    sensor_t* list = nullptr;
    int count = table(variant, &list);
    ASSERT_EQ(count, 4);
    ASSERT_NE(list, nullptr);
    std::set<int> handles;
    for (int i = 0; i < count; ++i) {
      expectComplete(list[i]);
      handles.insert(list[i].handle);
      int slot = 0;
      while (slot < 7 && std::string(slots[slot]) != list[i].vendor) ++slot;
      ASSERT_LT(slot, 7) << list[i].vendor << " is in no slot";
      EXPECT_EQ(list[i].handle, slotSensorId[slot] + 1) << list[i].vendor;
    }
    EXPECT_EQ(handles, (std::set<int>{1, 5, 6, 8}));
  }
}

TEST_F(SensorListCust, EmptyTableHasNoRecord) {
  sensor_t* list = nullptr;
  EXPECT_EQ(table(SENSORLIST_CUST_TABLE_EMPTY, &list), 0);
}

TEST_F(SensorListCust, OneTableHasTheDistinctiveAccelerometerRecord) {
  sensor_t* list = nullptr;
  ASSERT_EQ(table(SENSORLIST_CUST_TABLE_ONE, &list), 1);
  const sensor_t& s = list[0];
  expectComplete(s);
  EXPECT_STREQ(s.vendor, SENSORLIST_CUST_CHIP_ACC);
  EXPECT_STREQ(s.name, SENSORLIST_CUST_ONE_NAME);
  EXPECT_STREQ(s.stringType, SENSOR_STRING_TYPE_ACCELEROMETER);
  EXPECT_EQ(s.handle, 1);
  EXPECT_EQ(s.maxRange, SENSORLIST_CUST_ONE_MAX_RANGE);
  EXPECT_EQ(s.resolution, SENSORLIST_CUST_ONE_RESOLUTION);
  EXPECT_EQ(s.power, SENSORLIST_CUST_ONE_POWER);
  EXPECT_EQ(s.minDelay, SENSORLIST_CUST_ONE_MIN_DELAY);
  EXPECT_EQ(s.maxDelay, SENSORLIST_CUST_ONE_MAX_DELAY);
  EXPECT_EQ(s.fifoReservedEventCount, static_cast<uint32_t>(SENSORLIST_CUST_ONE_FIFO_RESERVED));
  EXPECT_EQ(s.fifoMaxEventCount, static_cast<uint32_t>(SENSORLIST_CUST_ONE_FIFO_MAX));
  // Unlike the module's built-in accelerometer entry (78.4532, 5000 us, 3000/4500).
  EXPECT_NE(s.maxRange, 78.4532f);
  EXPECT_NE(s.minDelay, 5000);
}

TEST_F(SensorListCust, DupTableHasTwoRecordsOfOneChip) {
  sensor_t* list = nullptr;
  ASSERT_EQ(table(SENSORLIST_CUST_TABLE_DUP, &list), 2);
  for (int i = 0; i < 2; ++i) {
    expectComplete(list[i]);
    EXPECT_STREQ(list[i].vendor, SENSORLIST_CUST_CHIP_ACC);
    EXPECT_EQ(list[i].handle, 1);
  }
  EXPECT_STREQ(list[0].name, SENSORLIST_CUST_DUP_FIRST_NAME);
  EXPECT_STREQ(list[1].name, SENSORLIST_CUST_DUP_SECOND_NAME);
}

}  // namespace
