// Descriptors and interface chains of the packages, and the record sizes.
#include <android/hardware/power/1.2/IPower.h>
#include <gtest/gtest.h>
#include <vendor/korvalen/hardware/led/1.0/ILed.h>
#include <vendor/korvalen/hardware/pq/2.2/IPictureQuality.h>
#include <vendor/korvalen/hardware/power/2.0/IPower.h>
#include <vendor/quorvantis/hardware/capi/2.0/IClientApiDevice.h>

#include <hidl/ServiceManagementTesting.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

namespace pq = vendor::korvalen::hardware::pq;
namespace vpower = vendor::korvalen::hardware::power;
namespace apower = android::hardware::power;
using android::hardware::Return;
using android::hardware::Void;

// The chain a class reports, without an object: a minimal implementation.
struct Power final : vpower::V2_0::IPower {
  Return<void> setInteractive(bool) override { return Void(); }
  Return<void> powerHint(apower::V1_0::PowerHint, int32_t) override { return Void(); }
  Return<void> setFeature(apower::V1_0::Feature, bool) override { return Void(); }
  Return<void> getPlatformLowPowerStats(getPlatformLowPowerStats_cb) override { return Void(); }
  Return<void> getSubsystemLowPowerStats(getSubsystemLowPowerStats_cb) override { return Void(); }
  Return<void> powerHintAsync(apower::V1_0::PowerHint, int32_t) override { return Void(); }
  Return<void> powerHintAsync_1_2(apower::V1_2::PowerHint, int32_t) override { return Void(); }
  R<void> zyrPowerHint(vpower::V2_0::ZyrPowerHint, int32_t) override { return Void(); }
  R<void> zyrCusPowerHint(int32_t, int32_t) override { return Void(); }
  R<void> notifyAppState(const android::hardware::hidl_string&, const android::hardware::hidl_string&,
                         int32_t, vpower::V2_0::ZyrActState) override {
    return Void();
  }
  R<int32_t> querySysInfo(vpower::V2_0::ZyrQueryCmd, int32_t) override { return -1; }
  R<int32_t> scnReg() override { return -1; }
  R<void> scnConfig(int32_t, vpower::V2_0::ZyrPowerCmd, int32_t, int32_t, int32_t, int32_t) override {
    return Void();
  }
  R<void> scnUnreg(int32_t) override { return Void(); }
  R<void> scnEnable(int32_t, int32_t) override { return Void(); }
  R<void> scnDisable(int32_t) override { return Void(); }
  R<void> scnUltraCfg(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override { return Void(); }
};

TEST(Interfaces, PowerReportsItsWholeChain) {
  android::sp<Power> power = new Power();
  std::vector<std::string> chain;
  power->interfaceChain([&](const auto& v) {
    for (const auto& d : v) chain.emplace_back(d);
  });
  EXPECT_EQ((std::vector<std::string>{"vendor.korvalen.hardware.power@2.0::IPower",
                                      "android.hardware.power@1.2::IPower",
                                      "android.hardware.power@1.1::IPower",
                                      "android.hardware.power@1.0::IPower",
                                      "android.hidl.base@1.0::IBase"}),
            chain);
  // A service host asking for the 1.0 interface finds the same object.
  ASSERT_EQ(android::OK, power->registerAsService("default"));
  EXPECT_EQ(power.get(), apower::V1_0::IPower::getService("default").get());
  android::hardware::testing::resetServiceRegistry();
}

TEST(Interfaces, Descriptors) {
  EXPECT_STREQ("vendor.korvalen.hardware.pq@2.2::IPictureQuality", pq::V2_2::IPictureQuality::descriptor);
  EXPECT_STREQ("vendor.korvalen.hardware.led@1.0::ILed",
               vendor::korvalen::hardware::led::V1_0::ILed::descriptor);
  EXPECT_STREQ("vendor.quorvantis.hardware.capi@2.0::IClientApiDevice",
               vendor::quorvantis::hardware::capi::V2_0::IClientApiDevice::descriptor);
}

TEST(Interfaces, RecordSizes) {
  printf("dispPQIndexParams %zu, globalPQIndex_t %zu, MmapBufferInfo %zu, "
         "PowerStatePlatformSleepState %zu\n",
         sizeof(pq::V2_0::dispPQIndexParams), sizeof(pq::V2_0::globalPQIndex_t),
         sizeof(vendor::quorvantis::hardware::capi::V2_0::MmapBufferInfo),
         sizeof(apower::V1_0::PowerStatePlatformSleepState));
  EXPECT_EQ(static_cast<int32_t>(pq::V2_0::Result::UNAVAILABLE), 4);
  EXPECT_EQ(static_cast<uint32_t>(apower::V1_2::PowerHint::LAUNCH),
            static_cast<uint32_t>(apower::V1_0::PowerHint::LAUNCH));
}

}  // namespace
