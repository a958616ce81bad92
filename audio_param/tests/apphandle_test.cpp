// The handle: directory choice and precedence, discovery, the loading list,
// the instance and teardown.
#include <cutils/properties.h>

#include <atomic>
#include <cstddef>
#include <iostream>
#include <thread>

#include "fixture.h"

using namespace pvtest;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

namespace {

class AppHandleTest : public ParamVaultTest {};

AudioType* byName(AppHandle* h, const char* name) { return appHandleGetAudioTypeByName(h, name); }

TEST_F(AppHandleTest, BuiltInDirectoriesOdmThenVendorThenSystem) {
  writeType(kOdmDir, "Speech", "odm");
  writeType(kVendorDir, "Speech", "vendor");
  writeType(kVendorDir, "Volume", "vendor");
  writeType(kSystemDir, "Volume", "system");
  writeType(kSystemDir, "VoIP", "system");
  AppHandle* h = instance();
  EXPECT_THAT(names(h), UnorderedElementsAre("Speech", "Volume", "VoIP"));
  EXPECT_STREQ("odm", byName(h, "Speech")->tabName);
  EXPECT_STREQ("vendor", byName(h, "Volume")->tabName);
  EXPECT_STREQ("system", byName(h, "VoIP")->tabName);
}

TEST_F(AppHandleTest, PropertyDirectoryIsTheOnlyOneSearched) {
  writeType(kVendorDir, "Speech", "vendor");
  writeType("/data/vendor/tuning/", "Volume", "tuning");
  ASSERT_EQ(0, property_set("persist.vendor.audio.tuning.def_path", "/data/vendor/tuning/"));
  AppHandle* h = instance();
  EXPECT_THAT(names(h), ElementsAre("Volume"));
  ASSERT_NE(nullptr, h->xmlDir);
  EXPECT_STREQ("/data/vendor/tuning/", h->xmlDir[0]);
  EXPECT_EQ(nullptr, h->xmlDir[1]);
}

TEST_F(AppHandleTest, BoardVariantDirectory) {
  writeType(kVendorDir, "Speech", "vendor");
  writeType("/vendor/etc/audio_param_vorna_7/", "Speech", "variant");
  ASSERT_EQ(0, property_set("vendor.kv.hwinfo.41", "7"));
  AppHandle* h = instance();
  ASSERT_THAT(names(h), ElementsAre("Speech"));
  EXPECT_STREQ("variant", byName(h, "Speech")->tabName);
}

TEST_F(AppHandleTest, NoPropertyAndNoVariantGivesNoList) {
  EXPECT_EQ(nullptr, appGetXmlDirFromProperty());
}

TEST_F(AppHandleTest, CustomDirectoryOnlyForAudioParamFilesOfShippedTypes) {
  writeType(kVendorDir, "Speech", "vendor", "1.0");
  writeData(kCustomDir, "Speech", dataXml("1.5"));
  writeDesc(kCustomDir, "Speech", descXml("1.0", "custom"));  // never read from there
  // Only in the custom directory: not an audio type of the handset.
  writeType(kCustomDir, "Volume", "custom");
  // A description only in the custom directory does not make a type valid.
  writeData(kVendorDir, "VoIP", dataXml("1.0"));
  writeDesc(kCustomDir, "VoIP", descXml("1.0", "custom"));
  AppHandle* h = instance();
  ASSERT_THAT(names(h), ElementsAre("Speech"));
  EXPECT_EQ(5, byName(h, "Speech")->audioParamVerMin);  // the data file came from the custom dir
  EXPECT_STREQ("vendor", byName(h, "Speech")->tabName);

  char* path = appHandleGetAudioTypeFilePath(h, "Speech", "_ParamUnitDesc.xml");
  EXPECT_STREQ("/vendor/etc/audio_param//Speech_ParamUnitDesc.xml", path);
  free(path);
  path = appHandleGetAudioTypeFilePath(h, "Speech", "_AudioParam.xml");
  EXPECT_STREQ("/data/vendor/audiohal/audio_param//Speech_AudioParam.xml", path);
  free(path);
  path = appHandleGetPreloadAudioTypeFilePath(h, "Speech", "_AudioParam.xml");
  EXPECT_STREQ("/vendor/etc/audio_param//Speech_AudioParam.xml", path);
  free(path);
  // With custom files switched off the custom directory is not searched.
  h->xmlChangedNotifyEnabled = 0;
  path = appHandleGetAudioTypeFilePath(h, "Speech", "_AudioParam.xml");
  EXPECT_STREQ("/vendor/etc/audio_param//Speech_AudioParam.xml", path);
  free(path);
}

TEST_F(AppHandleTest, CustomDirectoryNotUsedWhenDisabled) {
  writeType(kVendorDir, "Speech", "vendor", "1.0");
  writeData(kCustomDir, "Speech", dataXml("1.5"));
  AppHandle h;
  ASSERT_EQ(1, appHandleInit(&h));
  h.xmlChangedNotifyEnabled = 0;
  const char* dirs[] = {kVendorDir, nullptr};
  ASSERT_EQ(1, appHandleParseXml(&h, dirs, kCustomDir));
  EXPECT_EQ(0, byName(&h, "Speech")->audioParamVerMin);
  EXPECT_EQ(1, appHandleUninit(&h));
}

TEST_F(AppHandleTest, NameContainingAudioParamSuffixCounts) {
  writeDesc(kVendorDir, "Speech", descXml("1.0"));
  ASSERT_TRUE(handset_->writeFile(std::string(kVendorDir) + "Speech_AudioParam.xml.bak", dataXml("1.0")));
  ASSERT_TRUE(handset_->writeFile(std::string(kVendorDir) + "Volume_ParamUnitDesc.xml", descXml("1.0")));
  AppHandle* h = instance();
  // Discovered by the backup name; its data file itself is missing, so it stays empty.
  EXPECT_THAT(names(h), ElementsAre("Speech"));
  EXPECT_TRUE(log_.contains(ANDROID_LOG_WARN, kTag,
                            "appHandleLoadAudioTypeXml(), The AudioTypeFile(Speech_AudioParam.xml) doesn't exist.\n"));
}

TEST_F(AppHandleTest, UiTypesNeverLoadedEvenWhenListed) {
  writeType(kVendorDir, "SpeechUI");
  writeType(kVendorDir, "PlaybackVolUI");
  writeType(kVendorDir, "UIPlayback");
  writeType(kVendorDir, "Speech");
  static const char* list[] = {"SpeechUI", "Speech", "UIPlayback", nullptr};
  ASSERT_EQ(1, appSetAudioTypeLoadingList(list));
  AppHandle* h = instance();
  EXPECT_THAT(names(h), UnorderedElementsAre("Speech", "UIPlayback"));
  EXPECT_TRUE(log_.contains(ANDROID_LOG_DEBUG, kTag,
                            "appHandleLoadDirAudioTypeInfo(), Don't load audio param xml = SpeechUI_AudioParam.xml\n"));
}

TEST_F(AppHandleTest, UiTypeNames) {
  struct Case { const char* name; int ui; } cases[] = {
      {"PlaybackVolUI", 1}, {"SpeechUI", 1}, {"UI", 0}, {"UISpeech", 0}, {"UIPlaybackUI", 0},
      {"SpeechUIx", 0},     {"Speech", 0},   {"", 0},   {nullptr, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.ui, utilIsUIAudioType(c.name)) << (c.name ? c.name : "null");
  }
}

TEST_F(AppHandleTest, LoadingListHonouredAndResetByUninit) {
  writeType(kVendorDir, "Speech");
  writeType(kVendorDir, "Volume");
  writeType(kVendorDir, "VoIP");
  static const char* list[] = {"Volume", "VoIP", nullptr};
  static const char* other[] = {"Speech", nullptr};
  ASSERT_EQ(1, appSetAudioTypeLoadingList(list));
  EXPECT_EQ(0, appSetAudioTypeLoadingList(other));
  EXPECT_TRUE(log_.contains(ANDROID_LOG_WARN, kTag,
                            "appSetAudioTypeLoadingList(), audioTypeLoadingList already been setup. "
                            "(cur = Volume, new = Speech)\n"));
  AppHandle* h = instance();
  EXPECT_THAT(names(h), UnorderedElementsAre("Volume", "VoIP"));
  ASSERT_EQ(1, appHandleUninit(h));
  EXPECT_EQ(nullptr, appGetAudioTypeLoadingList());

  // Uninit then reload: a new list set before the next instance is honoured.
  ASSERT_EQ(1, appSetAudioTypeLoadingList(other));
  h = instance();
  EXPECT_THAT(names(h), ElementsAre("Speech"));
  ASSERT_EQ(1, appHandleUninit(h));
  h = instance();
  EXPECT_THAT(names(h), UnorderedElementsAre("Speech", "Volume", "VoIP"));
}

TEST_F(AppHandleTest, SecondParseRefusedAndChangesNothing) {
  writeType(kVendorDir, "Speech");
  AppHandle* h = instance();
  const char** dirs = h->xmlDir;
  const char* other[] = {kOdmDir, nullptr};
  EXPECT_EQ(0, appHandleParseXml(h, other, kCustomDir));
  EXPECT_TRUE(log_.contains(ANDROID_LOG_ERROR, kTag,
                            "appHandleParseXml(), XML already parsed, don't call the appHandleParseXml twice!\n"));
  EXPECT_EQ(dirs, h->xmlDir);
  EXPECT_THAT(names(h), ElementsAre("Speech"));
  EXPECT_EQ(0, appHandleParseXml(h, nullptr, kCustomDir));
  EXPECT_EQ(0, appHandleParseXml(nullptr, other, kCustomDir));
}

TEST_F(AppHandleTest, TwoThreadsGetTheInstanceLoadOnce) {
  writeType(kVendorDir, "Speech");
  std::atomic<bool> go{false};
  AppHandle* got[2] = {};
  std::thread a([&] { while (!go) {} got[0] = appHandleGetInstance(); });
  std::thread b([&] { while (!go) {} got[1] = appHandleGetInstance(); });
  go = true;
  a.join();
  b.join();
  instance_ = got[0];
  EXPECT_EQ(got[0], got[1]);
  EXPECT_EQ(1u, log_.count("appHandleLoadAllAudioTypeXml(), Load all audio type XML - ok"));
  EXPECT_THAT(names(got[0]), ElementsAre("Speech"));
}

TEST_F(AppHandleTest, InitUninitCyclesReleaseEverything) {
  writeType(kVendorDir, "Speech");
  writeType(kVendorDir, "Volume");
  ASSERT_EQ(0, property_set("persist.vendor.audio.tuning.def_path", kVendorDir));
  for (int i = 0; i < 3; i++) {
    AppHandle* h = instance();
    EXPECT_EQ(2u, appHandleGetNumOfAudioType(h));
    ASSERT_EQ(1, appHandleUninit(h));
    EXPECT_EQ(0u, appHandleGetNumOfAudioType(h));
    EXPECT_EQ(nullptr, h->xmlDir);
    EXPECT_EQ(nullptr, h->xmlCusDir);
  }
  EXPECT_EQ(3u, log_.count("appHandleUninit(), inotify thread joined"));
}

TEST_F(AppHandleTest, OwnHandleKeepsItsOwnDirectoryList) {
  writeType(kVendorDir, "Speech");
  AppHandle h;
  ASSERT_EQ(1, appHandleInit(&h));
  const char* dirs[] = {kVendorDir, nullptr};  // the caller's; uninit must not free it
  ASSERT_EQ(1, appHandleParseXml(&h, dirs, kCustomDir));
  EXPECT_THAT(names(&h), ElementsAre("Speech"));
  EXPECT_EQ(1, appHandleUninit(&h));
  // A handle that never parsed has no watcher to stop.
  ASSERT_EQ(1, appHandleInit(&h));
  EXPECT_EQ(1, appHandleUninit(&h));
  EXPECT_EQ(0, appHandleInit(nullptr));
  EXPECT_EQ(0, appHandleUninit(nullptr));
}

TEST_F(AppHandleTest, DebugLevelFromProperty) {
  appSetDebugLevel(2);
  EXPECT_EQ(2, getDebugLevel());  // unset keeps the current level
  ASSERT_EQ(0, property_set("vendor.audio.applog.level", "0"));
  AppHandle* h = instance();
  EXPECT_EQ(0, appGetDebugLevel());
  EXPECT_TRUE(log_.contains(ANDROID_LOG_DEBUG, kTag, "getDebugLevel(), debug level = 0"));
  EXPECT_GT(log_.count("appHandleWriteLock(), AppHandle lock is locked by appHandleParseXml()"), 0u);
  (void)h;
}

TEST_F(AppHandleTest, AccessorsOnNullAndOutOfRange) {
  writeType(kVendorDir, "Speech");
  AppHandle* h = instance();
  EXPECT_EQ(0u, appHandleGetNumOfAudioType(nullptr));
  EXPECT_EQ(nullptr, appHandleGetAudioTypeByIndex(nullptr, 0));
  EXPECT_EQ(nullptr, appHandleGetAudioTypeByName(nullptr, "Speech"));
  EXPECT_EQ(nullptr, appHandleGetAudioTypeByIndex(h, 1));
  EXPECT_EQ(nullptr, appHandleGetAudioTypeByName(h, "Volume"));
  EXPECT_EQ(nullptr, appHandleGetAudioTypeByName(h, nullptr));
  EXPECT_EQ(nullptr, appHandleAddAudioType(h, "Speech"));  // already there, left untouched
  EXPECT_EQ(nullptr, appHandleAddAudioType(nullptr, "Speech"));
  EXPECT_EQ(nullptr, appHandleAddAudioType(h, nullptr));
  EXPECT_EQ(nullptr, appHandleGetAudioTypeFilePath(h, nullptr, "_AudioParam.xml"));
  EXPECT_EQ(nullptr, appHandleGetAudioTypeFilePath(nullptr, "Speech", "_AudioParam.xml"));
}

TEST_F(AppHandleTest, LongPathsNeverOverflow) {
  // Directory, name and suffix far beyond any fixed path buffer.
  std::string dir = "/vendor/etc/" + std::string(3000, 'd') + "/";
  std::string name(5000, 'n');
  std::string suffix(2000, 's');
  const char* dirs[] = {dir.c_str(), nullptr};
  AppHandle h;
  ASSERT_EQ(1, appHandleInit(&h));
  ASSERT_EQ(1, appHandleParseXml(&h, dirs, dir.c_str()));
  EXPECT_EQ(nullptr, appHandleGetAudioTypeFilePath(&h, name.c_str(), suffix.c_str()));
  EXPECT_EQ(nullptr, appHandleGetAudioTypeFilePath(&h, name.c_str(), "_AudioParam.xml"));
  EXPECT_EQ(0, appHandleIsValidAudioType(&h, name.c_str()));
  EXPECT_EQ(1, appHandleUninit(&h));
}

TEST_F(AppHandleTest, SupportedVersionTable) {
  int v[4] = {9, 9, 9, 9};
  EXPECT_EQ(1, appHandleGetAudioTypeSupportedVerInfo("VolumeGainMap", &v[0], &v[1], &v[2], &v[3]));
  EXPECT_THAT(v, ElementsAre(1, 0, 1, 0));
  v[0] = v[1] = v[2] = v[3] = 9;
  EXPECT_EQ(1, appHandleGetAudioTypeSupportedVerInfo("Unknown", &v[0], &v[1], &v[2], &v[3]));
  EXPECT_THAT(v, ElementsAre(1, 0, 1, 0));
  EXPECT_TRUE(log_.contains(ANDROID_LOG_INFO, kTag,
                            "appHandleGetAudioTypeSupportedVerInfo(), Unknown AudioType version support "
                            "info not found! Set the version with default 1.0\n"));
}

}  // namespace

extern "C" int pvCApiLoad(const char* dir, size_t* count);

namespace {
TEST_F(AppHandleTest, UsableFromC) {
  writeType(kVendorDir, "Speech");
  size_t count = 0;
  EXPECT_EQ(1, pvCApiLoad(kVendorDir, &count));
  EXPECT_EQ(1u, count);
}
}  // namespace

extern "C" void pvCRecordSizes(size_t* appHandle, size_t* audioType, size_t* lockOffset);

namespace {
// The records as this ABI lays them out, the same from C and from C++.
TEST(ParamVaultLayout, RecordSizes) {
  size_t app = 0, audio = 0, lockOffset = 0;
  pvCRecordSizes(&app, &audio, &lockOffset);
  std::cout << "audio parameter records, " << (sizeof(void*) == 8 ? "64" : "32") << "-bit ABI:\n"
            << "  AppHandle = " << sizeof(AppHandle) << "\n"
            << "  AudioType = " << sizeof(AudioType) << "\n";
  EXPECT_EQ(app, sizeof(AppHandle));
  EXPECT_EQ(audio, sizeof(AudioType));
  EXPECT_EQ(lockOffset, offsetof(AudioType, lock));
}
}  // namespace
