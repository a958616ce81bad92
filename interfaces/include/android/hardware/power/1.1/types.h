// android.hardware.power@1.1 types (from types.hal).
#pragma once

#include <android/hardware/power/1.0/types.h>

namespace android {
namespace hardware {
namespace power {
namespace V1_1 {

struct PowerStateSubsystemSleepState {
  ::android::hardware::hidl_string name;
  uint64_t residencyInMsecSinceBoot;
  uint64_t totalTransitions;
  uint64_t lastEntryTimestampMs;
  bool supportedOnlyInSuspend;
};

struct PowerStateSubsystem {
  ::android::hardware::hidl_string name;
  ::android::hardware::hidl_vec<PowerStateSubsystemSleepState> states;
};

static_assert(sizeof(PowerStateSubsystemSleepState) == 48, "PowerStateSubsystemSleepState");
static_assert(offsetof(PowerStateSubsystemSleepState, supportedOnlyInSuspend) == 40,
              "PowerStateSubsystemSleepState.supportedOnlyInSuspend");
static_assert(sizeof(PowerStateSubsystem) == 32, "PowerStateSubsystem");

}  // namespace V1_1
}  // namespace power
}  // namespace hardware
}  // namespace android
