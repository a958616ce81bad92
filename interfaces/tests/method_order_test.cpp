// Every interface method sits in the vtable slot that its place in the
// interface definition gives it: consecutive, in order, after IBase's and the
// parent version's methods.
#include <android/hardware/power/1.2/IPower.h>
#include <gtest/gtest.h>
#include <vendor/korvalen/hardware/led/1.0/ILed.h>
#include <vendor/korvalen/hardware/pq/2.2/IPictureQuality.h>
#include <vendor/korvalen/hardware/power/2.0/IPower.h>
#include <vendor/quorvantis/hardware/capi/2.0/IClientApiDevice.h>

#include <vector>

#include "vtable_slot.h"

using android::hidl::base::V1_0::IBase;
using kv::test::Slot;
using kv::test::slotOf;

namespace {

template <typename... Ms>
std::vector<Slot> slots(Ms... methods) {
  return {slotOf(methods)...};
}

// Each slot follows the one before it; the first follows `after`.
void expectConsecutive(const Slot& after, const std::vector<Slot>& methods) {
  size_t expected = after.index + 1;
  for (size_t i = 0; i < methods.size(); ++i) {
    EXPECT_TRUE(methods[i].isVirtual) << "method " << i + 1;
    EXPECT_EQ(0, methods[i].adjust) << "method " << i + 1;
    if (i == 0) {
      EXPECT_GT(methods[i].index, after.index) << "first method";
      expected = methods[i].index;
    }
    EXPECT_EQ(expected, methods[i].index) << "method " << i + 1;
    expected = methods[i].index + 1;
  }
}

const Slot kAfterBase = slotOf(&IBase::notifySyspropsChanged);

TEST(MethodOrder, PictureQuality) {
  using I = vendor::korvalen::hardware::pq::V2_2::IPictureQuality;
  const std::vector<Slot> v20 = slots(
      &I::setColorRegion, &I::getColorRegion, &I::setPQMode, &I::setTDSHPFlag, &I::getTDSHPFlag,
      &I::getMappedColorIndex, &I::getMappedTDSHPIndex, &I::getColorIndex, &I::getTDSHPIndex,
      &I::setPQIndex, &I::setDISPScenario, &I::setFeatureSwitch, &I::getFeatureSwitch,
      &I::enableBlueLight, &I::getBlueLightEnabled, &I::setBlueLightStrength,
      &I::getBlueLightStrength, &I::enableChameleon, &I::getChameleonEnabled,
      &I::setChameleonStrength, &I::getChameleonStrength, &I::setTuningField, &I::getTuningField,
      &I::getAshmem, &I::setAmbientLightCT, &I::setAmbientLightRGBW, &I::setGammaIndex,
      &I::getGammaIndex, &I::setExternalPanelNits, &I::getExternalPanelNits,
      &I::setColorTransform, &I::execIoctl, &I::setRGBGain, &I::setGlobalPQSwitch,
      &I::getGlobalPQSwitch, &I::setGlobalPQStrength, &I::getGlobalPQStrength,
      &I::getGlobalPQStrengthRange, &I::getGlobalPQIndex, &I::setGlobalPQStableStatus,
      &I::getGlobalPQStableStatus);
  ASSERT_EQ(41u, v20.size());
  expectConsecutive(kAfterBase, v20);
  expectConsecutive(v20.back(), slots(&I::setSmartBacklightStrength, &I::setColorMatrix3x3));
}

TEST(MethodOrder, Power) {
  using I = vendor::korvalen::hardware::power::V2_0::IPower;
  const std::vector<Slot> android = slots(&I::setInteractive, &I::powerHint, &I::setFeature,
                                          &I::getPlatformLowPowerStats,
                                          &I::getSubsystemLowPowerStats, &I::powerHintAsync,
                                          &I::powerHintAsync_1_2);
  expectConsecutive(kAfterBase, android);
  expectConsecutive(android.back(),
                    slots(&I::zyrPowerHint, &I::zyrCusPowerHint, &I::notifyAppState,
                          &I::querySysInfo, &I::scnReg, &I::scnConfig, &I::scnUnreg,
                          &I::scnEnable, &I::scnDisable, &I::scnUltraCfg));
}

TEST(MethodOrder, ClientApiDeviceAndLed) {
  using C = vendor::quorvantis::hardware::capi::V2_0::IClientApiDevice;
  expectConsecutive(kAfterBase,
                    slots(&C::capi_transact, &C::createMmapBuffer, &C::registerSharedFileDescriptor));
  using L = vendor::korvalen::hardware::led::V1_0::ILed;
  expectConsecutive(kAfterBase, slots(&L::setLed));
}

TEST(MethodOrder, IBaseMethodsPrecedeInterfaceMethods) {
  expectConsecutive(slotOf(&IBase::isRemote),
                    slots(&IBase::interfaceChain, &IBase::debug, &IBase::interfaceDescriptor,
                          &IBase::ping, &IBase::notifySyspropsChanged));
}

}  // namespace
