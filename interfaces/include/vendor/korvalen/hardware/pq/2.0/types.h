// vendor.korvalen.hardware.pq@2.0 types (from types.hal).
#pragma once

#include <hidl/HidlSupport.h>

#include <cstddef>
#include <cstdint>

namespace vendor {
namespace korvalen {
namespace hardware {
namespace pq {
namespace V2_0 {

enum class Result : int32_t {
  OK = 0,
  NOT_SUPPORTED = 1,
  INVALID_ARGUMENTS = 2,
  ACCESS_FAILED = 3,
  UNAVAILABLE = 4,
};

struct dispPQWinParams {
  int32_t splitEnable;
  int32_t startX;
  int32_t startY;
  int32_t endX;
  int32_t endY;
};

struct dispPQIndexParams {
  uint32_t shpGain;
  uint32_t satGain;
  uint32_t partialY;
  ::android::hardware::hidl_array<uint32_t, 4> hueAdj;
  ::android::hardware::hidl_array<uint32_t, 4> satAdj;
  uint32_t contrast;
  uint32_t brightness;
  uint32_t ccorrIndex;
};

enum class PQFeatureID : int32_t {
  DISPLAY_COLOR = 0,
  CONTENT_COLOR = 1,
  CONTENT_COLOR_VIDEO = 2,
  SHARPNESS = 3,
  DYNAMIC_CONTRAST = 4,
  DYNAMIC_SHARPNESS = 5,
  DISPLAY_CCORR = 6,
  DISPLAY_GAMMA = 7,
  DISPLAY_OVER_DRIVE = 8,
  ISO_ADAPTIVE_SHARPNESS = 9,
  ULTRA_RESOLUTION = 10,
  VIDEO_HDR = 11,
  PQ_FEATURE_MAX = 12,
};

struct globalPQIndex_t {
  ::android::hardware::hidl_array<int32_t, 636> data;
};

struct dispPQIoctlParams {
  int32_t request;
  int32_t paramSize;
  int32_t param0;
  int32_t param1;
};

static_assert(sizeof(Result) == 4, "Result");
static_assert(sizeof(PQFeatureID) == 4, "PQFeatureID");
static_assert(sizeof(dispPQWinParams) == 20, "dispPQWinParams");
static_assert(offsetof(dispPQWinParams, endY) == 16, "dispPQWinParams.endY");
static_assert(sizeof(dispPQIndexParams) == 56, "dispPQIndexParams: fourteen 32-bit fields");
static_assert(offsetof(dispPQIndexParams, hueAdj) == 12, "dispPQIndexParams.hueAdj");
static_assert(offsetof(dispPQIndexParams, satAdj) == 28, "dispPQIndexParams.satAdj");
static_assert(offsetof(dispPQIndexParams, contrast) == 44, "dispPQIndexParams.contrast");
static_assert(offsetof(dispPQIndexParams, ccorrIndex) == 52, "dispPQIndexParams.ccorrIndex");
static_assert(sizeof(globalPQIndex_t) == 2544, "globalPQIndex_t");
static_assert(sizeof(dispPQIoctlParams) == 16, "dispPQIoctlParams");

}  // namespace V2_0
}  // namespace pq
}  // namespace hardware
}  // namespace korvalen
}  // namespace vendor
