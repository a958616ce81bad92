// The default scene of the simulated sensors: a handset lying still on a table.
#pragma once

#include <stdint.h>

#include <vector>

#include "sim/sensor_record.h"

namespace kv::sim {

// Fills the words of a data record of `record.handle` for the `sequence`-th
// sample, scaled by the device's divisors (one, or ten for the fusion device).
// False for sensors that report nothing while the handset lies still (gestures,
// steps, motion) and for ids the scene does not know.
bool tableScene(const std::vector<int>& divisors, uint64_t sequence, SensorRecord& record);

}  // namespace kv::sim
