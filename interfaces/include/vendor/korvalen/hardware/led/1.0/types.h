// vendor.korvalen.hardware.led@1.0 types (from types.hal).
#pragma once

#include <cstdint>

namespace vendor {
namespace korvalen {
namespace hardware {
namespace led {
namespace V1_0 {

enum class Status : int32_t {
  SUCCESS = 0,
  NOT_SUPPORTED = 1,
  INVALID_ARGUMENT = 2,
};

static_assert(sizeof(Status) == 4, "Status");

}  // namespace V1_0
}  // namespace led
}  // namespace hardware
}  // namespace korvalen
}  // namespace vendor
