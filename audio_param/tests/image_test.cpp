// The tuning set shipped in the staged image, loaded as the audio service does.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <kv/logcapture.h>
#include <paramvault/ParamVault.h>

#include "sim/handset.h"

namespace {

TEST(ShippedSet, LoadsFromTheStagedImage) {
  std::string err;
  auto handset = kv::sim::Handset::create(kv::sim::HandsetOptions{}, &err);
  ASSERT_TRUE(handset) << err;
  kv::LogCapture log;
  AppHandle* h = appHandleGetInstance();
  std::vector<std::string> names;
  for (size_t i = 0; i < appHandleGetNumOfAudioType(h); i++) {
    AudioType* t = appHandleGetAudioTypeByIndex(h, i);
    names.push_back(t->name);
    EXPECT_EQ(1, t->paramUnitDescVerMaj) << t->name;
    EXPECT_EQ(1, t->audioParamVerMaj) << t->name;
    EXPECT_NE(nullptr, t->tabName) << t->name;
  }
  // Reverse alphabetical discovery; the UI type is never loaded.
  EXPECT_THAT(names, ::testing::ElementsAre("Volume", "VoIPDMNR", "Speech", "PlaybackVolDigi"));
  EXPECT_EQ(0u, log.count("failed"));
  EXPECT_EQ(0u, log.count("not found!"));
  EXPECT_EQ(0u, log.count("No param"));
  EXPECT_EQ(1, appHandleUninit(h));
}

}  // namespace
