#include <boardinfo.h>
#include <cutils/properties.h>
#include <gtest/gtest.h>

#include "sim/handset.h"

namespace {

class BoardInfo : public ::testing::Test {
 protected:
  void SetUp() override {
    kv::sim::HandsetOptions o;
    o.stageImage = false;
    std::string err;
    handset_ = kv::sim::Handset::create(o, &err);
    ASSERT_TRUE(handset_) << err;
  }
  std::unique_ptr<kv::sim::Handset> handset_;
};

TEST_F(BoardInfo, ItemAbsentIsZero) {
  EXPECT_EQ(0, proc_getHardwareInfoFor(HWINFO_ITEM_AUDIO_VARIANT));
}

TEST_F(BoardInfo, ItemFromPropertyAndItsText) {
  ASSERT_EQ(0, property_set("vendor.kv.hwinfo.41", "12"));
  EXPECT_EQ(12, proc_getHardwareInfoFor(41));
  char text[16];
  EXPECT_EQ(2, hwinfo_int2str(41, text, sizeof text));
  EXPECT_STREQ("12", text);
}

TEST_F(BoardInfo, TextIsCutToTheBuffer) {
  ASSERT_EQ(0, property_set("vendor.kv.hwinfo.41", "123456"));
  char text[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(3, hwinfo_int2str(41, text, sizeof text));
  EXPECT_STREQ("123", text);
  EXPECT_EQ(-1, hwinfo_int2str(41, text, 0));
  EXPECT_EQ(-1, hwinfo_int2str(41, nullptr, 16));
}

}  // namespace
