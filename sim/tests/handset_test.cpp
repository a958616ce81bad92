// Starting a simulated handset from the staged image.
#include "sim/handset.h"

#include <cutils/properties.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

TEST(Handset, StagesImageAndLoadsItsProperties) {
  std::string error;
  std::string root;
  {
    auto handset = kv::sim::Handset::create({}, &error);
    ASSERT_NE(handset, nullptr) << error;
    root = handset->root();
    EXPECT_STREQ(getenv("KV_ROOT"), root.c_str());
    for (const char* folder : {"data/vendor", "mnt/vendor", "dev", "sys/class", "vendor/etc"})
      EXPECT_TRUE(fs::is_directory(fs::path(root) / folder)) << folder;
    EXPECT_TRUE(fs::exists(fs::path(root) / "vendor/build.prop"));
    char value[PROPERTY_VALUE_MAX];
    property_get("ro.board.platform", value, "");
    EXPECT_STREQ(value, "kv2104");
    ASSERT_TRUE(handset->writeFile("/sys/class/sensor/m_acc_misc/accactive", "0"));
    EXPECT_TRUE(fs::exists(handset->hostPath("/sys/class/sensor/m_acc_misc/accactive")));
  }
  EXPECT_EQ(getenv("KV_ROOT"), nullptr);  // restored
  EXPECT_FALSE(fs::exists(root));         // a temporary root is removed
}

TEST(Handset, TwoHandsetsHaveTheirOwnProperties) {
  std::string error;
  kv::sim::HandsetOptions quiet;
  quiet.setEnvironment = false;
  auto a = kv::sim::Handset::create(quiet, &error);
  auto b = kv::sim::Handset::create(quiet, &error);
  ASSERT_TRUE(a && b) << error;
  setenv("KV_ROOT", a->root().c_str(), 1);
  ASSERT_EQ(property_set("persist.kv.which", "a"), 0);
  setenv("KV_ROOT", b->root().c_str(), 1);
  char value[PROPERTY_VALUE_MAX];
  property_get("persist.kv.which", value, "none");
  EXPECT_STREQ(value, "none");
  unsetenv("KV_ROOT");
}

TEST(Handset, MissingImageIsAClearError) {
  kv::sim::HandsetOptions options;
  options.image = "/nonexistent/image";
  std::string error;
  EXPECT_EQ(kv::sim::Handset::create(options, &error), nullptr);
  EXPECT_NE(error.find("no staged image at /nonexistent/image"), std::string::npos) << error;
  EXPECT_EQ(getenv("KV_ROOT"), nullptr);
}

TEST(Handset, JoinRefusesAFolderThatIsNoRoot) {
  std::string error;
  EXPECT_EQ(kv::sim::Handset::join("/nonexistent", false, &error), nullptr);
  EXPECT_FALSE(error.empty());
}

}  // namespace
