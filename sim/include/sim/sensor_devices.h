// The sensor misc devices of the kernel: device node, sysfs directory, attribute
// prefix and the divisor text the driver publishes in its active attribute.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace kv::sim {

struct SensorDevice {
  const char* misc;    // misc device name: "/dev/<misc>", "/sys/class/sensor/<misc>/"
  const char* prefix;  // attribute prefix: "<prefix>active", "<prefix>batch", ...
  int primaryId;       // sensor id of the attribute forms that name no id ("1", "%ld")
  const char* divisorText;  // initial content of "<prefix>active"
};

constexpr size_t kSensorDeviceCount = 13;
const std::array<SensorDevice, kSensorDeviceCount>& sensorDevices();

// By misc name ("m_acc_misc") or prefix ("acc"); null when unknown.
const SensorDevice* findSensorDevice(const std::string& name);

// Attribute suffixes every device directory holds.
constexpr std::array<const char*, 5> kAttributeSuffixes = {"active", "delay", "batch", "flush",
                                                           "cali"};

// The integers of a divisor text ("1000", or "1000,1000000,..." for fusion).
std::vector<int> parseDivisors(const std::string& text);

}  // namespace kv::sim
