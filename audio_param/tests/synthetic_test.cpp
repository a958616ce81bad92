// The synthetic set of gen_audio_param.py: all audio types of the version
// table, the UI types among them, loaded through the instance.
#include <unistd.h>

#include "fixture.h"

using namespace pvtest;

namespace {

class SyntheticSet : public ParamVaultTest {};

TEST_F(SyntheticSet, LoadsEveryNonUiTypeOfTheTable) {
  ASSERT_TRUE(handset_->writeFile("/vendor/etc/.keep", ""));
  ASSERT_EQ(0, symlink(KV_PARAMVAULT_SYNTHETIC_SET, handset_->hostPath("/vendor/etc/audio_param").c_str()));
  AppHandle* h = instance();
  std::vector<std::string> loaded = names(h);
  EXPECT_EQ(22u, loaded.size());  // 29 types, 7 of them UI types
  for (const std::string& name : loaded) {
    EXPECT_FALSE(utilIsUIAudioType(name.c_str())) << name;
    AudioType* t = appHandleGetAudioTypeByName(h, name.c_str());
    EXPECT_STREQ(name.c_str(), t->tabName);
  }
  EXPECT_EQ(0u, log_.count("failed"));
  EXPECT_EQ(0u, log_.count("not found!"));
  EXPECT_EQ(0u, log_.count("element found!"));
}

}  // namespace
