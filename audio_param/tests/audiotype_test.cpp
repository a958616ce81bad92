// Loading the files of one audio type: versions, fallback from a broken custom
// file, the load stages and the type record.
#include "fixture.h"

using namespace pvtest;
using ::testing::ElementsAre;

namespace {

class AudioTypeTest : public ParamVaultTest {
 protected:
  AudioType* load(const char* name) {
    return appHandleGetAudioTypeByName(instance(), name);
  }
};

struct VersionCase {
  const char* descVer;
  const char* dataVer;
  bool accepted;
  const char* error;  // the refusal, or null
};

class VersionCheck : public AudioTypeTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionCheck, MajorNewerThanSupportedIsRefused) {
  const VersionCase& c = GetParam();
  writeDesc(kVendorDir, "Speech", descXml(c.descVer, "Speech"));
  writeData(kVendorDir, "Speech", dataXml(c.dataVer));
  writeType(kVendorDir, "Volume");
  AudioType* speech = load("Speech");
  ASSERT_NE(nullptr, speech);  // a refused type stays listed
  EXPECT_NE(nullptr, load("Volume"));
  bool failed = log_.contains(ANDROID_LOG_WARN, kTag,
                              "appHandleLoadAllAudioTypeXml(), Load audio type XML failed. (Speech)\n");
  EXPECT_EQ(!c.accepted, failed);
  if (c.error != nullptr) {
    EXPECT_TRUE(log_.contains(ANDROID_LOG_ERROR, kTag, c.error));
  }
  // Nothing of a refused type survives loading.
  EXPECT_EQ(nullptr, speech->audioParamDoc);
  EXPECT_EQ(nullptr, speech->paramUnitDescDoc);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, VersionCheck,
    ::testing::Values(
        VersionCase{"1.0", "1.0", true, nullptr}, VersionCase{"1.7", "1.0", true, nullptr},
        VersionCase{"0.9", "0.9", true, nullptr}, VersionCase{"1.0", "1.99", true, nullptr},
        VersionCase{"2.0", "1.0", false,
                    "audioTypeIsDeviceSupportedXmlVer(), Speech AudioType XML ParamUnitDesc's maj version "
                    "is not support! XML ver (2.0) != AppLib support ver (1.0)\n"},
        VersionCase{"1.0", "3.1", false,
                    "audioTypeIsDeviceSupportedXmlVer(), Speech AudioType XML AudioParam maj's version is "
                    "not support! XML ver (3.1) != AppLib support ver (1.0)\n"},
        // The description is checked first.
        VersionCase{"2.0", "2.0", false,
                    "audioTypeIsDeviceSupportedXmlVer(), Speech AudioType XML ParamUnitDesc's maj version "
                    "is not support! XML ver (2.0) != AppLib support ver (1.0)\n"},
        // A major beyond int is too new, not wrapped round.
        VersionCase{"99999999999999999999.0", "1.0", false, nullptr}));

TEST_F(AudioTypeTest, MissingVersionsReadAsOneZero) {
  writeDesc(kVendorDir, "Speech", descXml("", "Speech"));
  writeData(kVendorDir, "Speech", dataXml(""));
  AudioType* t = load("Speech");
  ASSERT_NE(nullptr, t);
  EXPECT_EQ(1, t->paramUnitDescVerMaj);
  EXPECT_EQ(0, t->paramUnitDescVerMin);
  EXPECT_EQ(1, t->audioParamVerMaj);
  EXPECT_EQ(0, t->audioParamVerMin);
  EXPECT_TRUE(log_.contains(ANDROID_LOG_INFO, kTag,
                            "audioTypeParseXmlVer(), Cannot parse paramUnitDesc xml version (set as default ver = 1.0)\n"));
  EXPECT_TRUE(log_.contains(ANDROID_LOG_INFO, kTag,
                            "audioTypeParseXmlVer(), Cannot parse audioParam xml version (set as default ver = 1.0)\n"));
  EXPECT_FALSE(log_.contains(ANDROID_LOG_WARN, kTag,
                             "appHandleLoadAllAudioTypeXml(), Load audio type XML failed. (Speech)\n"));
}

TEST_F(AudioTypeTest, TabNameAndVersionsOfTheFiles) {
  writeDesc(kVendorDir, "Speech", descXml("1.3", "Speech tuning"));
  writeData(kVendorDir, "Speech", dataXml("1.4"));
  AudioType* t = load("Speech");
  ASSERT_NE(nullptr, t);
  EXPECT_STREQ("Speech tuning", t->tabName);
  EXPECT_EQ(3, t->paramUnitDescVerMin);
  EXPECT_EQ(4, t->audioParamVerMin);
  EXPECT_EQ(instance(), t->appHandle);
  // Documents are freed when loading ends.
  EXPECT_EQ(nullptr, t->audioParamDoc);
  EXPECT_EQ(nullptr, t->paramUnitDescDoc);
}

TEST_F(AudioTypeTest, BrokenCustomFileFallsBackToShippedFile) {
  writeType(kVendorDir, "Speech", "vendor", "1.2");
  writeData(kCustomDir, "Speech", "<AudioParam version=\"1.9\"><ParamTree>");
  AudioType* t = load("Speech");
  ASSERT_NE(nullptr, t);
  EXPECT_EQ(2, t->audioParamVerMin);
  EXPECT_TRUE(log_.contains(ANDROID_LOG_ERROR, kTag,
                            "appHandleLoadAudioTypeXml(), Failed to parse "
                            "/data/vendor/audiohal/audio_param//Speech_AudioParam.xml\n"));
  EXPECT_TRUE(log_.contains(ANDROID_LOG_WARN, kTag,
                            "appHandleLoadAudioTypeXml(), Trying to load preload "
                            "/vendor/etc/audio_param//Speech_AudioParam.xml file instead of broken XML file!\n"));
}

TEST_F(AudioTypeTest, BrokenShippedFileIsTriedTwiceThenLeftOut) {
  writeDesc(kVendorDir, "Speech", descXml("1.0"));
  writeData(kVendorDir, "Speech", "not xml at all");
  writeType(kVendorDir, "Volume");
  ASSERT_NE(nullptr, load("Speech"));
  EXPECT_EQ(2u, log_.count("Failed to parse /vendor/etc/audio_param//Speech_AudioParam.xml"));
  EXPECT_TRUE(log_.contains(ANDROID_LOG_WARN, kTag,
                            "appHandleLoadAllAudioTypeXml(), Load audio type XML failed. (Speech)\n"));
  EXPECT_NE(nullptr, load("Volume"));
}

struct StageCase {
  const char* what;
  std::string desc;
  std::string data;
  const char* error;  // the stage message, or null for a silent stop or success
  bool stops;
};

class Stage1 : public AudioTypeTest, public ::testing::WithParamInterface<StageCase> {};

TEST_P(Stage1, ContainersChecked) {
  const StageCase& c = GetParam();
  writeDesc(kVendorDir, "Speech", c.desc);
  writeData(kVendorDir, "Speech", c.data);
  ASSERT_NE(nullptr, load("Speech")) << c.what;
  size_t errors = log_.count("No paramUnit element found!") + log_.count("No param element found!");
  if (c.error != nullptr) {
    EXPECT_TRUE(log_.contains(ANDROID_LOG_ERROR, kTag, c.error)) << c.what;
    EXPECT_EQ(1u, errors) << c.what;  // stage 1 stops at the first failing step
  } else {
    EXPECT_EQ(0u, errors) << c.what;
  }
}

const std::string kDesc = descXml("1.0");
const std::string kData = dataXml("1.0");

INSTANTIATE_TEST_SUITE_P(
    Containers, Stage1,
    ::testing::Values(
        StageCase{"complete", kDesc, kData, nullptr, false},
        StageCase{"empty category list", "<ParamUnitDesc version=\"1.0\"><CategoryTypeList/><ParamUnit/></ParamUnitDesc>",
                  kData, nullptr, true},
        StageCase{"no ParamUnit",
                  "<ParamUnitDesc><CategoryTypeList> <CategoryType name=\"B\"/> </CategoryTypeList></ParamUnitDesc>",
                  kData, "audioTypeLoadParamFieldInfoHash(), No paramUnit element found!\n", true},
        StageCase{"no pool", kDesc, "<AudioParam><ParamTree> <Param path=\"\" param_id=\"0\"/> </ParamTree></AudioParam>",
                  "audioTypeLoadParamUnitHash(), No paramUnit element found!\n", true},
        StageCase{"no tree", kDesc, "<AudioParam><ParamUnitPool> <ParamUnit param_id=\"0\"/> </ParamUnitPool></AudioParam>",
                  "audioTypeLoadParamTreeHash(), No param element found!\n", true}));

TEST_F(AudioTypeTest, RecordCreateAndRelease) {
  AppHandle h;
  ASSERT_EQ(1, appHandleInit(&h));
  AudioType* t = appHandleAddAudioType(&h, "Speech");
  ASSERT_NE(nullptr, t);
  EXPECT_STREQ("Speech", t->name);
  EXPECT_EQ(1, t->paramUnitDescVerMaj);
  EXPECT_EQ(0, t->paramUnitDescVerMin);
  EXPECT_EQ(1, t->audioParamVerMaj);
  EXPECT_EQ(nullptr, t->tabName);
  EXPECT_EQ(t, appHandleGetAudioTypeByName(&h, "Speech"));
  // The type lock nests inside the handle lock and releases both.
  EXPECT_EQ(0, audioTypeWriteLock(t, "test"));
  EXPECT_NE(0, pthread_rwlock_tryrdlock(&h.lock));
  EXPECT_EQ(0, audioTypeUnlock(t));
  EXPECT_EQ(0, audioTypeReadLock(t, "test"));
  EXPECT_EQ(0, audioTypeReadLock(t, "test2"));
  EXPECT_EQ(0, audioTypeUnlock(t));
  EXPECT_EQ(0, audioTypeUnlock(t));
  EXPECT_EQ(0, pthread_rwlock_trywrlock(&h.lock));
  pthread_rwlock_unlock(&h.lock);
  EXPECT_EQ(0, audioTypeUnlock(nullptr));
  EXPECT_EQ(0, audioTypeIsDeviceSupportedXmlVer(nullptr));
  EXPECT_TRUE(log_.contains(ANDROID_LOG_ERROR, kTag, "audioTypeIsDeviceSupportedXmlVer(), audioType is NULL\n"));
  EXPECT_EQ(1, appHandleUninit(&h));
}

TEST_F(AudioTypeTest, ToolCheckUsesItsOwnTexts) {
  AppHandle h;
  ASSERT_EQ(1, appHandleInit(&h));
  AudioType* t = appHandleAddAudioType(&h, "Speech");
  t->audioParamVerMaj = 2;
  t->audioParamVerMin = 1;
  EXPECT_EQ(0, audioTypeIsTuningToolSupportedXmlVer(t));
  EXPECT_TRUE(log_.contains(ANDROID_LOG_ERROR, kTag,
                            "audioTypeIsTuningToolSupportedXmlVer(), Speech AudioType XML AudioParam's maj "
                            "version is not support! XML ver (2.1) > AppLib support ver (1.0)\n"));
  EXPECT_EQ(1, appHandleUninit(&h));
}

}  // namespace
