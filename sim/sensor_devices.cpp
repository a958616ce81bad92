// The table of kernel sensor devices.
#include "sim/sensor_devices.h"

#include <stdlib.h>

namespace kv::sim {

namespace {

// Divisors: the drivers of scaled integers divide word[0..2] by them; the fusion
// device publishes one per fused sensor (orientation, game rotation vector,
// geomagnetic rotation vector, rotation vector, linear acceleration, gravity,
// uncalibrated accelerometer, gyroscope, magnetometer, index 9). Devices whose
// drivers do not divide publish 1.
const std::array<SensorDevice, kSensorDeviceCount> kDevices = {{
    {"m_acc_misc", "acc", 0, "1000"},
    {"m_mag_misc", "mag", 1, "100"},
    {"m_gyro_misc", "gyro", 3, "1000"},
    {"m_als_misc", "als", 4, "1"},
    {"m_ps_misc", "ps", 7, "1"},
    {"m_baro_misc", "baro", 5, "100"},
    {"m_hmdy_misc", "hmdy", 11, "100"},
    {"m_step_c_misc", "step_c", 18, "1"},
    {"m_pedo_misc", "pedo", 54, "1"},
    {"m_act_misc", "act", 56, "1"},
    {"m_situ_misc", "situ", 26, "1"},
    {"m_fusion_misc", "fusion", 2, "1000,1000000,1000000,1000000,1000,1000,1000,1000,100,1"},
    {"m_bio_misc", "bio", 66, "1"},
}};

}  // namespace

const std::array<SensorDevice, kSensorDeviceCount>& sensorDevices() { return kDevices; }

const SensorDevice* findSensorDevice(const std::string& name) {
  for (const SensorDevice& device : kDevices) {
    if (name == device.misc || name == device.prefix) return &device;
  }
  return nullptr;
}

std::vector<int> parseDivisors(const std::string& text) {
  std::vector<int> divisors;
  const char* p = text.c_str();
  while (*p) {
    char* end = nullptr;
    long value = strtol(p, &end, 10);
    if (end == p) break;
    divisors.push_back(static_cast<int>(value));
    p = end;
    if (*p != ',') break;
    ++p;
  }
  return divisors;
}

}  // namespace kv::sim
