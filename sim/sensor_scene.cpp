// Values of a handset lying flat and still on a table, screen up, facing north.
#include "sensor_scene.h"

#include <math.h>


namespace kv::sim {

namespace {

constexpr int kRaw = -1;  // words are the values themselves

struct SceneEntry {
  int id;
  int divisorIndex;  // which of the device's divisors scales the values, or kRaw
  int count;
  double value[6];
  double noise;  // amplitude of the deterministic noise, in the values' unit
};

// Activity confidences are twelve signed bytes from offset 12; "still" (byte 3)
// is certain.
constexpr double kStillActivity = 100.0 * (1 << 24);

const SceneEntry kScene[] = {
    {0, 0, 3, {0, 0, 9.80665}, 0.01},               // accelerometer, m/s²
    {1, 0, 3, {22.0, 5.0, -40.0}, 0.05},            // magnetometer, µT
    {3, 0, 3, {0, 0, 0}, 0.001},                    // gyroscope, rad/s
    {4, kRaw, 1, {300}, 0},                         // light, lux
    {69, kRaw, 4, {100, 120, 80, 300}, 0},          // light channels
    {7, kRaw, 1, {2}, 0},                           // proximity: distance + 1, far
    {5, 0, 1, {1013.25}, 0.01},                     // pressure, hPa
    {11, 0, 1, {45.0}, 0.05},                       // humidity, %
    {18, kRaw, 1, {0}, 0},                          // step counter
    {65, kRaw, 1, {0}, 0},
    {54, kRaw, 4, {0, 0, 0, 0}, 0},                 // pedometer
    {56, kRaw, 3, {kStillActivity, 0, 0}, 0},       // activity
    {26, kRaw, 1, {0}, 0},                          // device orientation: portrait
    {71, kRaw, 3, {0, 0, 0}, 0},
    {2, 0, 3, {0, 0, 0}, 0.01},                     // orientation, degrees
    {14, 1, 4, {0, 0, 0, 1}, 0},                    // game rotation vector
    {19, 2, 4, {0, 0, 0, 1}, 0},                    // geomagnetic rotation vector
    {10, 3, 4, {0, 0, 0, 1}, 0},                    // rotation vector
    {9, 4, 3, {0, 0, 0}, 0.01},                     // linear acceleration
    {8, 5, 3, {0, 0, 9.80665}, 0.01},               // gravity
    {34, 6, 6, {0, 0, 9.80665, 0, 0, 0}, 0.01},     // uncalibrated accelerometer
    {15, 7, 6, {0, 0, 0, 0, 0, 0}, 0.001},          // uncalibrated gyroscope
    {13, 8, 6, {22.0, 5.0, -40.0, 0, 0, 0}, 0.05},  // uncalibrated magnetometer
    {70, kRaw, 3, {0, 0, 0}, 0},
    {66, kRaw, 2, {0, 0}, 0},                       // ekg
    {67, kRaw, 4, {1000, 1000, 1000, 1000}, 0},     // ppg
    {68, kRaw, 4, {1000, 1000, 1000, 1000}, 0},
};

// A number in [-1, 1] fixed by the sensor, axis and sample.
double noiseOf(int id, int axis, uint64_t sequence) {
  uint64_t x = sequence * 0x9E3779B97F4A7C15ull + static_cast<uint64_t>(id) * 0xBF58476D1CE4E5B9ull +
               static_cast<uint64_t>(axis) * 0x94D049BB133111EBull;
  x ^= x >> 30;
  x *= 0xBF58476D1CE4E5B9ull;
  x ^= x >> 27;
  x *= 0x94D049BB133111EBull;
  x ^= x >> 31;
  return static_cast<double>(x >> 11) / static_cast<double>(1ull << 52) - 1.0;
}

}  // namespace

bool tableScene(const std::vector<int>& divisors, uint64_t sequence, SensorRecord& record) {
  for (const SceneEntry& entry : kScene) {
    if (entry.id != record.handle) continue;
    double scale = 1.0;
    if (entry.divisorIndex != kRaw) {
      size_t index = static_cast<size_t>(entry.divisorIndex);
      if (index < divisors.size() && divisors[index] > 0) scale = divisors[index];
    }
    for (int i = 0; i < entry.count; ++i) {
      double value = entry.value[i] + entry.noise * noiseOf(entry.id, i, sequence);
      record.word[i] = static_cast<int32_t>(lround(value * scale));
    }
    return true;
  }
  return false;
}

}  // namespace kv::sim
