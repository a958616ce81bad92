// android.hardware.power@1.0 types (from types.hal).
#pragma once

#include <hidl/HidlSupport.h>

#include <cstddef>
#include <cstdint>

namespace android {
namespace hardware {
namespace power {
namespace V1_0 {

enum class PowerHint : uint32_t {
  VSYNC = 1,
  INTERACTION = 2,
  VIDEO_ENCODE = 3,
  VIDEO_DECODE = 4,
  LOW_POWER = 5,
  SUSTAINED_PERFORMANCE = 6,
  VR_MODE = 7,
  LAUNCH = 8,
};

enum class Feature : uint32_t {
  POWER_FEATURE_DOUBLE_TAP_TO_WAKE = 1,
};

enum class Status : uint32_t {
  SUCCESS = 0,
  FILESYSTEM_ERROR = 1,
};

struct PowerStateVoter {
  ::android::hardware::hidl_string name;
  uint64_t totalTimeInMsecVoting;
  uint64_t totalNumberOfTimesVotedSinceBoot;
};

struct PowerStatePlatformSleepState {
  ::android::hardware::hidl_string name;
  uint64_t residencyInMsecSinceBoot;
  uint64_t totalTransitions;
  bool supportedOnlyInSuspend;
  ::android::hardware::hidl_vec<PowerStateVoter> voters;
};

static_assert(sizeof(PowerStateVoter) == 32, "PowerStateVoter");
static_assert(sizeof(PowerStatePlatformSleepState) == 56, "PowerStatePlatformSleepState");
static_assert(offsetof(PowerStatePlatformSleepState, supportedOnlyInSuspend) == 32,
              "PowerStatePlatformSleepState.supportedOnlyInSuspend");
static_assert(offsetof(PowerStatePlatformSleepState, voters) == 40,
              "PowerStatePlatformSleepState.voters");

}  // namespace V1_0
}  // namespace power
}  // namespace hardware
}  // namespace android
