// Property store: Android's naming and length rules, set-once "ro.", typed
// getters, and several processes writing at once.
#include <cutils/properties.h>

#include <errno.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "temp_root.h"

namespace {

TEST(Properties, SetThenGet) {
  TempRoot root;
  ASSERT_EQ(property_set("vendor.audio.applog.level", "3"), 0);
  char value[PROPERTY_VALUE_MAX];
  EXPECT_EQ(property_get("vendor.audio.applog.level", value, "x"), 1);
  EXPECT_STREQ(value, "3");
  EXPECT_EQ(property_get("vendor.missing", value, "dflt"), 4);
  EXPECT_STREQ(value, "dflt");
  EXPECT_EQ(property_get("vendor.missing", value, nullptr), 0);
  EXPECT_STREQ(value, "");
}

TEST(Properties, ValuesKeepNewlinesAndBackslashes) {
  TempRoot root;
  ASSERT_EQ(property_set("debug.kv.text", "a=b\\c\nd"), 0);
  ASSERT_EQ(property_set("debug.kv.other", "1"), 0);
  char value[PROPERTY_VALUE_MAX];
  property_get("debug.kv.text", value, "");
  EXPECT_STREQ(value, "a=b\\c\nd");
  property_get("debug.kv.other", value, "");
  EXPECT_STREQ(value, "1");
}

TEST(Properties, RulesOfNamesAndValues) {
  TempRoot root;
  std::string longest(PROPERTY_VALUE_MAX - 1, 'v');
  std::string tooLong(PROPERTY_VALUE_MAX, 'v');
  std::string longName = "persist.vendor.sys.pq.bluelight.strength";  // 40 characters: legal
  struct Case {
    std::string name, value;
    int result, error;
  } cases[] = {
      {"persist.vendor.a", longest, 0, 0},
      {"persist.vendor.b", tooLong, -1, EINVAL},  // refused, not truncated
      {longName, "1", 0, 0},
      {std::string(KV_PROPERTY_NAME_LIMIT + 1, 'n'), "1", -1, EINVAL},
      {"", "1", -1, EINVAL},
      {".lead", "1", -1, EINVAL},
      {"trail.", "1", -1, EINVAL},
      {"two..dots", "1", -1, EINVAL},
      {"space name", "1", -1, EINVAL},
      {"ok-name_1@x:y", "1", 0, 0},
  };
  for (const auto& c : cases) {
    errno = 0;
    EXPECT_EQ(property_set(c.name.c_str(), c.value.c_str()), c.result) << c.name;
    if (c.result != 0) {
      EXPECT_EQ(errno, c.error) << c.name;
    }
  }
  char value[PROPERTY_VALUE_MAX];
  EXPECT_EQ(property_get("persist.vendor.a", value, ""), PROPERTY_VALUE_MAX - 1);
  EXPECT_EQ(property_get("persist.vendor.b", value, "none"), 4);
}

TEST(Properties, ReadOnlyIsSetOnce) {
  TempRoot root;
  EXPECT_EQ(property_set("ro.board.platform", "kv2104"), 0);
  errno = 0;
  EXPECT_EQ(property_set("ro.board.platform", "other"), -1);
  EXPECT_EQ(errno, EPERM);
  char value[PROPERTY_VALUE_MAX];
  property_get("ro.board.platform", value, "");
  EXPECT_STREQ(value, "kv2104");
  EXPECT_EQ(property_set("persist.x", "1"), 0);  // others may change
  EXPECT_EQ(property_set("persist.x", "2"), 0);
}

TEST(Properties, TypedGetters) {
  TempRoot root;
  struct Case {
    const char* value;
    int8_t asBool;  // default 7 marks "not a bool"
    int64_t asInt64;
    int32_t asInt32;
  } cases[] = {
      {"1", 1, 1, 1},          {"true", 1, -5, -5},  {"on", 1, -5, -5},
      {"0", 0, 0, 0},          {"off", 0, -5, -5},   {"no", 0, -5, -5},
      {"42", 7, 42, 42},       {"-3", 7, -3, -3},    {"0x10", 7, 16, 16},
      {"12abc", 7, -5, -5},    {"", 7, -5, -5},      {"4294967296", 7, 4294967296LL, -5},
      {"99999999999999999999", 7, -5, -5},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(property_set("debug.kv.v", c.value), 0);
    EXPECT_EQ(property_get_bool("debug.kv.v", 7), c.asBool) << c.value;
    EXPECT_EQ(property_get_int64("debug.kv.v", -5), c.asInt64) << c.value;
    EXPECT_EQ(property_get_int32("debug.kv.v", -5), c.asInt32) << c.value;
  }
  EXPECT_EQ(property_get_int32("debug.kv.unset", 9), 9);
}

TEST(Properties, TwoProcessesWritingLoseNothing) {
  TempRoot root;
  constexpr int kEach = 40;
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      for (int i = 0; i < kEach; ++i) {
        std::string name = "debug.kv.p" + std::to_string(c) + "." + std::to_string(i);
        if (property_set(name.c_str(), std::to_string(i).c_str()) != 0) _exit(1);
      }
      _exit(0);
    }
  }
  for (pid_t pid : children) {
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  for (int c = 0; c < 2; ++c)
    for (int i = 0; i < kEach; ++i) {
      std::string name = "debug.kv.p" + std::to_string(c) + "." + std::to_string(i);
      EXPECT_EQ(property_get_int32(name.c_str(), -1), i) << name;
    }
}

TEST(Properties, ListsInNameOrder) {
  TempRoot root;
  property_set("b.two", "2");
  property_set("a.one", "1");
  std::string seen;
  property_list([](const char* k, const char* v, void* cookie) {
    *static_cast<std::string*>(cookie) += std::string(k) + "=" + v + ";";
  }, &seen);
  EXPECT_EQ(seen, "a.one=1;b.two=2;");
}

TEST(Properties, UnwritableStoreFailsWithEio) {
  setenv("KV_ROOT", "/proc/kv-no-root", 1);
  errno = 0;
  EXPECT_EQ(property_set("debug.kv.x", "1"), -1);
  EXPECT_EQ(errno, EIO);
  char value[PROPERTY_VALUE_MAX];
  EXPECT_EQ(property_get("debug.kv.x", value, "d"), 1);
  unsetenv("KV_ROOT");
}

}  // namespace
