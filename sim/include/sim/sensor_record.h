// The records the simulated sensor kernel publishes: the event record of the
// sensor misc devices and the magnetometer library record of sysfs.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace kv::sim {

// What a record carries (its flush_action byte).
enum SensorAction : int8_t {
  kActionData = 0,
  kActionFlushComplete = 1,
  kActionBias = 2,
  kActionCalibration = 3,
  kActionTemperatureCalibration = 4,
};

// The 36-byte event record read from "/dev/m_*_misc": little-endian, packed.
struct __attribute__((packed)) SensorRecord {
  int64_t timestamp;  // CLOCK_BOOTTIME nanoseconds
  int8_t handle;      // sensor id (Android handle - 1)
  int8_t flush_action;
  int8_t status;
  int8_t reserved;
  int32_t word[6];
};
static_assert(sizeof(SensorRecord) == 36, "sensor_event is 36 bytes");
static_assert(offsetof(SensorRecord, timestamp) == 0);
static_assert(offsetof(SensorRecord, handle) == 8);
static_assert(offsetof(SensorRecord, flush_action) == 9);
static_assert(offsetof(SensorRecord, status) == 10);
static_assert(offsetof(SensorRecord, reserved) == 11);
static_assert(offsetof(SensorRecord, word) == 12);

// The 72-byte record of "/sys/class/sensor/m_mag_misc/maglibinfo".
struct MagLibInfoRecord {
  char name[64];  // library base name ("calmodule_vxmR410"), NUL-terminated
  int32_t layout;
  int32_t deviceId;
};
static_assert(sizeof(MagLibInfoRecord) == 72, "LibInfo is 72 bytes");
static_assert(offsetof(MagLibInfoRecord, layout) == 64);
static_assert(offsetof(MagLibInfoRecord, deviceId) == 68);

// Slots of "/dev/sensorlist": seven NUL-padded chip names of 16 bytes.
constexpr size_t kSensorListSlots = 7;
constexpr size_t kSensorListSlotSize = 16;
constexpr size_t kSensorListSize = kSensorListSlots * kSensorListSlotSize;

// CLOCK_BOOTTIME now in nanoseconds: the time base of the records.
int64_t bootTimeNs();

}  // namespace kv::sim
