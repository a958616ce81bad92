// Bad files and directories: the affected audio type is left out with its
// messages, everything else loads, nothing crashes.
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fixture.h"

using namespace pvtest;
using ::testing::Contains;
using ::testing::Not;

namespace {

struct BadFile {
  const char* what;
  std::string desc;  // the Speech description file
  std::string data;  // the Speech data file
  const char* message;  // a line expected in the log (any priority), or null
};

std::string cut(const std::string& s) { return s.substr(0, s.size() / 2); }

std::string hugeAttributes() {
  std::string big(1 << 20, 'x');
  return "<ParamUnitDesc version=\"1." + std::string(100000, '9') + "\" tab_name=\"" + big +
         "\"><CategoryTypeList> <CategoryType name=\"" + big + "\"/> </CategoryTypeList>"
         "<ParamUnit> <Param name=\"" + big + "\" type=\"int\"/> </ParamUnit></ParamUnitDesc>";
}

class BadFileTest : public ParamVaultTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadFileTest, TypeLeftOutOthersLoad) {
  const BadFile& c = GetParam();
  writeDesc(kVendorDir, "Speech", c.desc);
  writeData(kVendorDir, "Speech", c.data);
  writeType(kVendorDir, "Volume", "volume");
  writeType(kVendorDir, "VoIP", "voip");
  AppHandle* h = instance();
  EXPECT_STREQ("volume", appHandleGetAudioTypeByName(h, "Volume")->tabName) << c.what;
  EXPECT_STREQ("voip", appHandleGetAudioTypeByName(h, "VoIP")->tabName) << c.what;
  if (c.message != nullptr) {
    EXPECT_EQ(1u, log_.count(c.message)) << c.what;
  }
  AudioType* speech = appHandleGetAudioTypeByName(h, "Speech");
  if (speech != nullptr) {
    EXPECT_EQ(nullptr, speech->audioParamDoc);
    EXPECT_EQ(nullptr, speech->paramUnitDescDoc);
  }
}

const std::string kDesc = descXml("1.0", "speech");
const std::string kData = dataXml("1.0");

INSTANTIATE_TEST_SUITE_P(
    Files, BadFileTest,
    ::testing::Values(
        BadFile{"malformed description", "<ParamUnitDesc><CategoryTypeList></ParamUnitDesc>", kData,
                "Failed to parse /vendor/etc/audio_param//Speech_ParamUnitDesc.xml_ParamUnitDesc.xml"},
        BadFile{"description cut in the middle", cut(kDesc), kData, "Failed to parse"},
        BadFile{"data cut in the middle", kDesc, cut(kData), "Load audio type XML failed. (Speech)"},
        BadFile{"empty data file", kDesc, "", "Load audio type XML failed. (Speech)"},
        BadFile{"binary data file", kDesc, std::string("\0\xff\xfe<\x01", 5), "Load audio type XML failed. (Speech)"},
        BadFile{"wrong description root", "<AudioParam version=\"1.0\"/>", kData,
                "audioTypeParseTabName(), Cannnot find the ParamUnitDesc element\n"},
        BadFile{"wrong data root", kDesc, "<ParamUnitDesc version=\"1.0\"/>",
                "audioTypeParseXmlVer(), Cannot parse audioParam xml version (set as default ver = 1.0)\n"},
        BadFile{"missing attributes", "<ParamUnitDesc><CategoryTypeList> <CategoryType/> </CategoryTypeList>"
                "<ParamUnit> <Param/> </ParamUnit></ParamUnitDesc>",
                "<AudioParam><ParamTree> <Param/> </ParamTree><ParamUnitPool> <ParamUnit> <Param/> </ParamUnit>"
                "</ParamUnitPool></AudioParam>", nullptr},
        BadFile{"garbage versions", descXml("x.y"), dataXml(".5"),
                "audioTypeParseXmlVer(), Cannot parse paramUnitDesc xml version (set as default ver = 1.0)\n"},
        BadFile{"huge attribute values", hugeAttributes(), kData, nullptr},
        BadFile{"entity expansion", "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\">"
                "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]>"
                "<ParamUnitDesc tab_name=\"&c;&c;&c;\"/>", kData, nullptr}));

class BadDirTest : public ParamVaultTest {};

TEST_F(BadDirTest, SymlinkLoopInSearchDirectory) {
  writeType(kVendorDir, "Volume");
  std::string dir = handset_->hostPath(kVendorDir);
  ASSERT_EQ(0, symlink("Loop_AudioParam.xml", (dir + "Loop_AudioParam.xml").c_str()));
  ASSERT_EQ(0, symlink("Loop_ParamUnitDesc.xml", (dir + "Loop_ParamUnitDesc.xml").c_str()));
  ASSERT_EQ(0, symlink(".", (dir + "self").c_str()));
  // The odm search directory is a loop itself.
  ASSERT_EQ(0, mkdir(handset_->hostPath("/odm/etc").c_str(), 0755));
  ASSERT_EQ(0, symlink("audio_param", handset_->hostPath("/odm/etc/audio_param").c_str()));
  AppHandle* h = instance();
  EXPECT_EQ(std::vector<std::string>{"Volume"}, names(h));
  EXPECT_TRUE(log_.contains(ANDROID_LOG_INFO, kTag,
                            "appHandleLoadDirAudioTypeInfo(), Scandir error (/odm/etc/audio_param/)\n"));
  EXPECT_TRUE(log_.contains(ANDROID_LOG_ERROR, kTag,
                            "appHandleIsValidAudioType(), Loop audio type is not valid! (_ParamUnitDesc.xml is not exist)\n"));
}

TEST_F(BadDirTest, SearchDirectoryThatIsAFileOrMissing) {
  writeType(kSystemDir, "Volume");
  ASSERT_TRUE(handset_->writeFile("/odm/etc/audio_param", "not a directory"));
  AppHandle* h = instance();
  EXPECT_EQ(std::vector<std::string>{"Volume"}, names(h));
  EXPECT_EQ(1u, log_.count("Scandir error (/odm/etc/audio_param/)"));
  EXPECT_EQ(1u, log_.count("Scandir error (/vendor/etc/audio_param/)"));
}

TEST_F(BadDirTest, UnreadableDirectory) {
  writeType(kSystemDir, "Volume");
  writeType(kVendorDir, "Speech");
  ASSERT_EQ(0, chmod(handset_->hostPath(kVendorDir).c_str(), 0));
  if (geteuid() != 0) {
    AppHandle* h = instance();
    EXPECT_EQ(std::vector<std::string>{"Volume"}, names(h));
  } else {
    // Permissions do not stop root: load as an unprivileged user in a child.
    ASSERT_EQ(0, chmod(handset_->root().c_str(), 0755));
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      const uid_t nobody = 65534;
      if (setgroups(0, nullptr) != 0 || setresgid(nobody, nobody, nobody) != 0 ||
          setresuid(nobody, nobody, nobody) != 0)
        _exit(2);
      AppHandle* h = instance();
      _exit(names(h) == std::vector<std::string>{"Volume"} ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(pid, waitpid(pid, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status)) << "1: wrong audio types loaded, 2: could not drop root";
  }
  chmod(handset_->hostPath(kVendorDir).c_str(), 0755);
}

TEST_F(BadDirTest, OddEntryNames) {
  writeType(kVendorDir, "Volume");
  // A directory named like a data file, a name without "_" and a very long type name.
  ASSERT_EQ(0, mkdir(handset_->hostPath(std::string(kVendorDir) + "Dir_AudioParam.xml").c_str(), 0755));
  writeDesc(kVendorDir, "Dir", descXml("1.0"));
  ASSERT_TRUE(handset_->writeFile(std::string(kVendorDir) + "NoUnderscoreAudioParam.xml", kData));
  std::string longName(200, 'L');
  writeType(kVendorDir, longName);
  writeType(kVendorDir, longName.substr(0, 50));
  AppHandle* h = instance();
  auto loaded = names(h);
  EXPECT_THAT(loaded, Contains("Volume"));
  EXPECT_THAT(loaded, Contains(longName.substr(0, 50)));  // names are cut at 50 characters
  EXPECT_THAT(loaded, Not(Contains(longName)));
  EXPECT_THAT(loaded, Contains("Dir"));  // listed, but its data file does not parse
  EXPECT_EQ(nullptr, appHandleGetAudioTypeByName(h, "NoUnderscoreAudioParam.xml"));
}

}  // namespace
