// vendor.korvalen.hardware.power@2.0 types (from types.hal). Values outside
// the named ones pass through unchanged.
#pragma once

#include <cstdint>

namespace vendor {
namespace korvalen {
namespace hardware {
namespace power {
namespace V2_0 {

enum class ZyrPowerHint : int32_t {
  FIRST_FORWARDED = 14,
  LAST_FORWARDED = 31,
};

enum class ZyrPowerCmd : int32_t {
  FIRST_SCN_ULTRA_CONFIG = 100,
  LAST_SCN_CONFIG = 100,
};

enum class ZyrQueryCmd : int32_t {
  SET_VERBOSE_LOG = 19,
};

enum class ZyrActState : int32_t {
  PAUSED = 0,
  RESUMED = 1,
  DESTROYED = 2,
  DEAD = 3,
};

static_assert(sizeof(ZyrPowerHint) == 4 && sizeof(ZyrPowerCmd) == 4 && sizeof(ZyrQueryCmd) == 4 &&
                  sizeof(ZyrActState) == 4,
              "vendor power enumerations are 32-bit");

}  // namespace V2_0
}  // namespace power
}  // namespace hardware
}  // namespace korvalen
}  // namespace vendor
