// vendor.korvalen.hardware.pq@2.0::IPictureQuality (from IPictureQuality.hal),
// methods in slot order.
#pragma once

#include <hidl/HidlInterface.h>
#include <vendor/korvalen/hardware/pq/2.0/types.h>

#include <functional>

namespace vendor {
namespace korvalen {
namespace hardware {
namespace pq {
namespace V2_0 {

struct IPictureQuality : public ::android::hidl::base::V1_0::IBase {
  HIDL_INTERFACE_COMMON(IPictureQuality, "vendor.korvalen.hardware.pq@2.0::IPictureQuality",
                        ::android::hidl::base::V1_0::IBase)

  template <typename T>
  using R = ::android::hardware::Return<T>;
  using hidl_memory = ::android::hardware::hidl_memory;

  using getColorRegion_cb = std::function<void(Result retval, const dispPQWinParams& winParams)>;
  using getTDSHPFlag_cb = std::function<void(Result retval, int32_t flag)>;
  using getIndex_cb = std::function<void(Result retval, const dispPQIndexParams& index)>;
  using getMappedColorIndex_cb = getIndex_cb;
  using getMappedTDSHPIndex_cb = getIndex_cb;
  using getColorIndex_cb = getIndex_cb;
  using getTDSHPIndex_cb = getIndex_cb;
  using getFeatureSwitch_cb = std::function<void(Result retval, uint32_t value)>;
  using getBlueLightEnabled_cb = std::function<void(Result retval, bool isEnabled)>;
  using getBlueLightStrength_cb = std::function<void(Result retval, int32_t strength)>;
  using getChameleonEnabled_cb = std::function<void(Result retval, bool isEnabled)>;
  using getChameleonStrength_cb = std::function<void(Result retval, int32_t strength)>;
  using getTuningField_cb = std::function<void(Result retval, int32_t value)>;
  using getAshmem_cb = std::function<void(Result retval, const hidl_memory& pqmem)>;
  using getGammaIndex_cb = std::function<void(Result retval, int32_t index)>;
  using getExternalPanelNits_cb = std::function<void(Result retval, uint32_t externalPanelNits)>;
  using execIoctl_cb = std::function<void(Result retval, const dispPQIoctlParams& out)>;
  using getGlobalPQSwitch_cb = std::function<void(Result retval, int32_t globalPQSwitch)>;
  using getGlobalPQStrength_cb = std::function<void(Result retval, int32_t globalPQStrength)>;
  using getGlobalPQStrengthRange_cb = std::function<void(Result retval, int32_t globalPQStrengthRange)>;
  using getGlobalPQIndex_cb = std::function<void(Result retval, const globalPQIndex_t& globalPQindex)>;
  using getGlobalPQStableStatus_cb = std::function<void(Result retval, int32_t globalPQStableStatus)>;

  virtual R<Result> setColorRegion(int32_t splitEnable, int32_t startX, int32_t startY,
                                   int32_t endX, int32_t endY) = 0;
  virtual R<void> getColorRegion(getColorRegion_cb _hidl_cb) = 0;
  virtual R<Result> setPQMode(int32_t mode, int32_t step) = 0;
  virtual R<Result> setTDSHPFlag(int32_t flag) = 0;
  virtual R<void> getTDSHPFlag(getTDSHPFlag_cb _hidl_cb) = 0;
  virtual R<void> getMappedColorIndex(int32_t scenario, int32_t reserved, getMappedColorIndex_cb _hidl_cb) = 0;
  virtual R<void> getMappedTDSHPIndex(int32_t scenario, int32_t reserved, getMappedTDSHPIndex_cb _hidl_cb) = 0;
  virtual R<void> getColorIndex(int32_t scenario, int32_t reserved, getColorIndex_cb _hidl_cb) = 0;
  virtual R<void> getTDSHPIndex(int32_t scenario, int32_t reserved, getTDSHPIndex_cb _hidl_cb) = 0;
  virtual R<Result> setPQIndex(int32_t level, int32_t scenario, int32_t copyMode, int32_t index,
                               int32_t step) = 0;
  virtual R<Result> setDISPScenario(int32_t scenario, int32_t step) = 0;
  virtual R<Result> setFeatureSwitch(PQFeatureID id, uint32_t value) = 0;
  virtual R<void> getFeatureSwitch(PQFeatureID id, getFeatureSwitch_cb _hidl_cb) = 0;
  virtual R<Result> enableBlueLight(bool enable, int32_t step) = 0;
  virtual R<void> getBlueLightEnabled(getBlueLightEnabled_cb _hidl_cb) = 0;
  virtual R<Result> setBlueLightStrength(int32_t strength, int32_t step) = 0;
  virtual R<void> getBlueLightStrength(getBlueLightStrength_cb _hidl_cb) = 0;
  virtual R<Result> enableChameleon(bool enable, int32_t step) = 0;
  virtual R<void> getChameleonEnabled(getChameleonEnabled_cb _hidl_cb) = 0;
  virtual R<Result> setChameleonStrength(int32_t strength, int32_t step) = 0;
  virtual R<void> getChameleonStrength(getChameleonStrength_cb _hidl_cb) = 0;
  virtual R<Result> setTuningField(int32_t pqModule, int32_t field, int32_t value) = 0;
  virtual R<void> getTuningField(int32_t pqModule, int32_t field, getTuningField_cb _hidl_cb) = 0;
  virtual R<void> getAshmem(getAshmem_cb _hidl_cb) = 0;
  virtual R<Result> setAmbientLightCT(double inputX, double inputY, double inputLux) = 0;
  virtual R<Result> setAmbientLightRGBW(int32_t inputR, int32_t inputG, int32_t inputB,
                                        int32_t inputW) = 0;
  virtual R<Result> setGammaIndex(int32_t index, int32_t step) = 0;
  virtual R<void> getGammaIndex(getGammaIndex_cb _hidl_cb) = 0;
  virtual R<Result> setExternalPanelNits(uint32_t externalPanelNits) = 0;
  virtual R<void> getExternalPanelNits(getExternalPanelNits_cb _hidl_cb) = 0;
  virtual R<Result> setColorTransform(const ::android::hardware::hidl_array<float, 4, 4>& matrix,
                                      int32_t hint, int32_t step) = 0;
  virtual R<void> execIoctl(const dispPQIoctlParams& params, execIoctl_cb _hidl_cb) = 0;
  virtual R<Result> setRGBGain(uint32_t r_gain, uint32_t g_gain, uint32_t b_gain, int32_t step) = 0;
  virtual R<Result> setGlobalPQSwitch(int32_t globalPQSwitch) = 0;
  virtual R<void> getGlobalPQSwitch(getGlobalPQSwitch_cb _hidl_cb) = 0;
  virtual R<Result> setGlobalPQStrength(int32_t globalPQStrength) = 0;
  virtual R<void> getGlobalPQStrength(getGlobalPQStrength_cb _hidl_cb) = 0;
  virtual R<void> getGlobalPQStrengthRange(getGlobalPQStrengthRange_cb _hidl_cb) = 0;
  virtual R<void> getGlobalPQIndex(getGlobalPQIndex_cb _hidl_cb) = 0;
  virtual R<Result> setGlobalPQStableStatus(int32_t globalPQStableStatus) = 0;
  virtual R<void> getGlobalPQStableStatus(getGlobalPQStableStatus_cb _hidl_cb) = 0;
};

}  // namespace V2_0
}  // namespace pq
}  // namespace hardware
}  // namespace korvalen
}  // namespace vendor
