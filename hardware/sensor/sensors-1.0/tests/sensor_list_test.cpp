// The announced sensor list: the default list, narrowed by the kernel's chip
// table and completed from the customisation library.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "SensorList.h"
#include "kv/logcapture.h"
#include "sensorlist_cust_tables.h"
#include "sim/handset.h"
#include "sim/sensor_simulator.h"
#include "sim_fixture.h"

namespace {

// The customisation library is present while one of these lives: loading it
// by path first makes the module's load by name find it.
class CustomLibrary {
 public:
  explicit CustomLibrary(const char* table) {
    if (table) setenv(SENSORLIST_CUST_TABLE_ENV, table, 1);
    else unsetenv(SENSORLIST_CUST_TABLE_ENV);
    handle_ = dlopen(KV_SENSORLIST_CUST_LIBRARY, RTLD_NOW | RTLD_GLOBAL);
  }
  ~CustomLibrary() {
    if (handle_) dlclose(handle_);
    unsetenv(SENSORLIST_CUST_TABLE_ENV);
  }
  bool loaded() const { return handle_ != nullptr; }

 private:
  void* handle_;
};

class List : public SimulatedKernelTest {
 protected:
  std::vector<std::string> names() {
    const sensor_t* list;
    size_t n = SensorList::getInstance()->getSensorList(&list);
    std::vector<std::string> out;
    for (size_t i = 0; i < n; ++i) out.push_back(list[i].name);
    return out;
  }
  const std::vector<std::string> kDefault = {"ACCELEROMETER", "LIGHT", "PRESSURE", "PROXIMITY",
                                             "WAKE_GESTURE"};
};

TEST_F(List, NoKernelTableGivesTheDefaultList) {
  kv::LogCapture capture;
  EXPECT_EQ(names(), kDefault);
  EXPECT_TRUE(SensorList::getInstance()->hwGyroSupported());
  EXPECT_TRUE(capture.contains(ANDROID_LOG_INFO, "SensorList", "defaultSensorListCount=5\n"));
  EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "SensorList",
                               "open /dev/sensorlist fail we use defaultsensorlist\n"));
}

struct TableCase {
  const char* name;
  std::vector<std::string> slots;
  const char* table;  // customisation table; "none": library absent
  std::vector<std::string> expected;
  bool hwGyro;
  const char* message;  // a line the case must log
};

void PrintTo(const TableCase& c, std::ostream* os) { *os << c.name; }

class Tables : public List, public ::testing::WithParamInterface<TableCase> {};

TEST_P(Tables, ListFollowsKernelAndLibrary) {
  const TableCase& c = GetParam();
  ASSERT_TRUE(sim_->setSensorList(c.slots));
  std::unique_ptr<CustomLibrary> lib;
  if (std::string(c.table) != "none") {
    lib.reset(new CustomLibrary(c.table));
    ASSERT_TRUE(lib->loaded());
  }
  kv::LogCapture capture;
  EXPECT_EQ(names(), c.expected);
  EXPECT_EQ(SensorList::getInstance()->hwGyroSupported(), c.hwGyro);
  EXPECT_EQ(capture.count(c.message), 1u) << c.message;
}

const std::string kOne = SENSORLIST_CUST_ONE_NAME;

INSTANTIATE_TEST_SUITE_P(
    List, Tables,
    ::testing::Values(
        TableCase{"ProximityAbsent", {"kx022acc", "gyro", "", "", "NULL", "", ""}, "one",
                  {kOne, "LIGHT", "PRESSURE", "WAKE_GESTURE"}, true, "removeSensor=7\n"},
        TableCase{"VirtualGyroWithLibrary", {"x", "virtual_gyro"}, "one",
                  {"ACCELEROMETER", "LIGHT", "PRESSURE", "PROXIMITY", "WAKE_GESTURE"}, false,
                  "sensor=3, name=virtual_gyro\n"},
        TableCase{"VirtualGyroWithoutLibrary", {"x", "virtual_gyro"}, "none",
                  {"ACCELEROMETER", "LIGHT", "PRESSURE", "PROXIMITY", "WAKE_GESTURE"}, true,
                  "loadSensorCustom dlopen fail\n"},
        TableCase{"ChipRecordReplacesTheDefault", {"kx022acc"}, "one",
                  {kOne, "LIGHT", "PRESSURE", "PROXIMITY", "WAKE_GESTURE"}, true,
                  "replaceSensor=0\n"},
        TableCase{"UnknownChipKeepsTheDefault", {"other"}, "one",
                  {"ACCELEROMETER", "LIGHT", "PRESSURE", "PROXIMITY", "WAKE_GESTURE"}, true,
                  "newSensorListCount=5\n"},
        TableCase{"FirstOfTwoRecordsWins", {"kx022acc"}, "dup",
                  {SENSORLIST_CUST_DUP_FIRST_NAME, "LIGHT", "PRESSURE", "PROXIMITY", "WAKE_GESTURE"},
                  true, "replaceSensor=0\n"},
        TableCase{"EmptyLibraryTable", {"kx022acc", "NULL", "", "", "NULL"}, "empty",
                  {"ACCELEROMETER", "LIGHT", "PRESSURE", "PROXIMITY", "WAKE_GESTURE"}, true,
                  "getDynamicSensorList fail we use defaultsensorlist\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(List, ReplacedRecordOutlivesTheLibrary) {
  ASSERT_TRUE(sim_->setSensorList({"kx022acc"}));
  {
    CustomLibrary lib("one");
    ASSERT_TRUE(lib.loaded());
    SensorList::getInstance();
  }  // the library is unloaded now: the record's strings must still be readable
  const sensor_t* list;
  ASSERT_EQ(SensorList::getInstance()->getSensorList(&list), 5u);
  EXPECT_STREQ(list[0].name, SENSORLIST_CUST_ONE_NAME);
  EXPECT_STREQ(list[0].vendor, SENSORLIST_CUST_CHIP_ACC);
  EXPECT_STREQ(list[0].stringType, "android.sensor.accelerometer");
  EXPECT_EQ(list[0].minDelay, SENSORLIST_CUST_ONE_MIN_DELAY);
  EXPECT_FLOAT_EQ(list[0].maxRange, SENSORLIST_CUST_ONE_MAX_RANGE);
}

TEST_F(List, BadKernelTables) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> expected;
    const char* message;
  } cases[] = {
      // A short table: the missing slots are empty names.
      {"short", std::string("NULL\0", 5), {"LIGHT", "PRESSURE", "PROXIMITY", "WAKE_GESTURE"},
       "removeSensor=0\n"},
      // A name filling all 16 bytes has no NUL: read as exactly 16 characters.
      {"unterminated", std::string(16, 'k') + std::string("NULL", 4),
       {"ACCELEROMETER", "LIGHT", "PRESSURE", "PROXIMITY", "WAKE_GESTURE"},
       "sensor=0, name=kkkkkkkkkkkkkkkk\n"},
      {"empty", "", {"ACCELEROMETER", "LIGHT", "PRESSURE", "PROXIMITY", "WAKE_GESTURE"},
       "sensor=71, name=\n"},
  };
  CustomLibrary lib("one");
  for (const auto& c : cases) {
    ASSERT_TRUE(sim_->setSensorListBytes(c.bytes));
    kv::LogCapture capture;
    EXPECT_EQ(names(), c.expected) << c.name;
    EXPECT_EQ(capture.count(c.message), 1u) << c.name << ": " << c.message;
    SensorList::destroyInstance();
  }
}

}  // namespace
