// android.hardware.power@1.2 types (from types.hal): the 1.0 hints and five more.
#pragma once

#include <android/hardware/power/1.0/types.h>

namespace android {
namespace hardware {
namespace power {
namespace V1_2 {

enum class PowerHint : uint32_t {
  VSYNC = 1,
  INTERACTION = 2,
  VIDEO_ENCODE = 3,
  VIDEO_DECODE = 4,
  LOW_POWER = 5,
  SUSTAINED_PERFORMANCE = 6,
  VR_MODE = 7,
  LAUNCH = 8,
  AUDIO_STREAMING = 9,
  AUDIO_LOW_LATENCY = 10,
  CAMERA_LAUNCH = 11,
  CAMERA_STREAMING = 12,
  CAMERA_SHOT = 13,
};

static_assert(sizeof(PowerHint) == 4, "PowerHint");

}  // namespace V1_2
}  // namespace power
}  // namespace hardware
}  // namespace android
