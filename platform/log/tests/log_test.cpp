// Log line layout, KV_LOG_FILE and in-process capture.
#define LOG_TAG "LogTest"
#include <log/log.h>

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "kv/logcapture.h"

namespace {

class LogFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/kvlogXXXXXX";
    int fd = mkstemp(tmpl);
    ASSERT_GE(fd, 0);
    close(fd);
    path_ = tmpl;
    setenv("KV_LOG_FILE", path_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("KV_LOG_FILE");
    unlink(path_.c_str());
  }
  std::string contents() const {
    std::ifstream in(path_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string path_;
};

TEST_F(LogFile, LineFollowsThreadtimeLayout) {
  ALOGE("sensors__get_sensors_list count=%zu\n", static_cast<size_t>(27));
  std::string text = contents();
  // "MM-DD HH:MM:SS.mmm  PID  TID E Tag     : message"
  std::regex layout(
      R"(^\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} +\d+ +\d+ E LogTest : sensors__get_sensors_list count=27\n$)");
  EXPECT_TRUE(std::regex_match(text, layout)) << text;
}

TEST_F(LogFile, MultiLineMessageGivesOneLinePerLine) {
  __android_log_write(ANDROID_LOG_WARN, "Tag", "first\nsecond\n\n");
  std::string text = contents();
  EXPECT_NE(text.find("W Tag     : first\n"), std::string::npos) << text;
  EXPECT_NE(text.find("W Tag     : second\n"), std::string::npos) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
}

TEST_F(LogFile, LevelFilterHidesLowerPrioritiesButCaptureKeepsThem) {
  setenv("KV_LOG_LEVEL", "W", 1);
  kv::LogCapture capture;
  ALOGD("hidden");
  ALOGW("shown");
  unsetenv("KV_LOG_LEVEL");
  std::string text = contents();
  EXPECT_EQ(text.find("hidden"), std::string::npos);
  EXPECT_NE(text.find("shown"), std::string::npos);
  EXPECT_TRUE(capture.contains(ANDROID_LOG_DEBUG, "LogTest", "hidden"));
}

TEST(LogCapture, KeepsExactTextTagAndPriority) {
  kv::LogCapture capture;
  ALOGI("handle=%d,ns=%ld\n", 3, 20000000L);
  __android_log_print(ANDROID_LOG_ERROR, "SensorContext", "activate error index = %d\n", -22);
  EXPECT_TRUE(capture.contains(ANDROID_LOG_INFO, "LogTest", "handle=3,ns=20000000\n"));
  EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "SensorContext", "activate error index = -22\n"));
  EXPECT_FALSE(capture.contains(ANDROID_LOG_ERROR, "SensorContext", "activate error index = -22"));
  EXPECT_EQ(capture.count("error index"), 1u);
  capture.clear();
  EXPECT_TRUE(capture.entries().empty());
}

TEST(LogCapture, LongMessageIsCutNotOverrun) {
  kv::LogCapture capture;
  std::string big(5000, 'x');
  ALOGE("%s", big.c_str());
  auto entries = capture.entries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].text.size(), 1023u);
}

TEST(LogCapture, NullTagAndTextAreEmpty) {
  kv::LogCapture capture;
  __android_log_write(ANDROID_LOG_INFO, nullptr, nullptr);
  EXPECT_TRUE(capture.contains(ANDROID_LOG_INFO, "", ""));
}

TEST(LogAssert, AbortsWithFatalLine) {
  EXPECT_DEATH(LOG_ALWAYS_FATAL_IF(1 + 1 == 2, "bad state %d", 7), "bad state 7");
}

}  // namespace
