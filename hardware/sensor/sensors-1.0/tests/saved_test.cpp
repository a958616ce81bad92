// SensorSaved on a simulated handset root: where the files go, their exact
// text, what the getters accept, and how failed saves leave the old file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <android/log.h>

#include "SensorSaved.h"
#include "kv/logcapture.h"
#include "sim/handset.h"

namespace fs = std::filesystem;

using android::JSONObject;
using android::JSONValue;
using android::sp;

namespace {

constexpr char kTag[] = "SensorSaved";
constexpr char kDataDir[] = "/data/vendor/sensor";

class SavedTest : public ::testing::Test {
 protected:
  void SetUp() override { startHandset(); }
  void TearDown() override {
    handset.reset();
    SensorSaved::resetDirectoryForTest();
  }

  // A fresh root, and a process that has not chosen its directory yet.
  void startHandset(bool withNvcfg = false) {
    handset.reset();
    SensorSaved::resetDirectoryForTest();
    kv::sim::HandsetOptions o;
    o.stageImage = false;
    std::string err;
    handset = kv::sim::Handset::create(o, &err);
    ASSERT_NE(nullptr, handset) << err;
    if (withNvcfg) fs::create_directories(host("/mnt/vendor/nvcfg"));
    cap.clear();
  }

  std::string host(const std::string& handsetPath) const { return handset->hostPath(handsetPath); }

  std::string readHost(const std::string& handsetPath) const {
    std::ifstream in(host(handsetPath), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  // Names in a handset directory, sorted.
  std::vector<std::string> listing(const std::string& handsetDir) const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(host(handsetDir)))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  bool logged(const std::string& text) const {
    return cap.contains(ANDROID_LOG_ERROR, kTag, text);
  }

  kv::LogCapture cap;
  std::unique_ptr<kv::sim::Handset> handset;
};

const std::string kAccBiasText =
    "{\n"
    "  \"acc_bias\": [\n"
    "      0.012000,\n"
    "      -0.003000,\n"
    "      0.000000\n"
    "    ]\n"
    "}";

// ---- directory ----

TEST_F(SavedTest, DirectoryDependsOnNvcfg) {
  struct Case {
    bool nvcfg;
    const char* directory;
    const char* message;
  };
  const Case cases[] = {
      {true, "/mnt/vendor/nvcfg/sensor", "(/mnt/vendor/nvcfg) exist\n"},
      {false, "/data/vendor/sensor", "(/mnt/vendor/nvcfg) not exist\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.directory);
    startHandset(c.nvcfg);
    SensorSaved saved;
    EXPECT_STREQ(c.directory, saved.directory());
    EXPECT_TRUE(logged(c.message));
    EXPECT_TRUE(fs::is_directory(host(c.directory)));

    const float bias[] = {0.012f, -0.003f, 0.0f};
    saved.saveCalibrationFloat("acc_bias.json", "acc_bias", bias, 3);
    EXPECT_EQ(kAccBiasText, readHost(std::string(c.directory) + "/acc_bias.json"));
    float back[3] = {};
    EXPECT_TRUE(saved.getCalibrationFloat("acc_bias.json", "acc_bias", back, 3));
    EXPECT_EQ(-0.003f, back[1]);
  }
}

TEST_F(SavedTest, DirectoryIsChosenOncePerProcess) {
  SensorSaved first;
  ASSERT_STREQ(kDataDir, first.directory());
  fs::create_directories(host("/mnt/vendor/nvcfg"));
  SensorSaved second;
  EXPECT_STREQ(kDataDir, second.directory());
  EXPECT_EQ(1u, cap.count("(/mnt/vendor/nvcfg)"));
}

TEST_F(SavedTest, ConcurrentFirstStoresChooseOnce) {
  fs::create_directories(host("/mnt/vendor/nvcfg"));
  std::vector<std::unique_ptr<SensorSaved>> stores(8);
  std::vector<std::thread> threads;
  for (auto& s : stores) threads.emplace_back([&s] { s = std::make_unique<SensorSaved>(); });
  for (auto& t : threads) t.join();
  for (auto& s : stores) EXPECT_STREQ("/mnt/vendor/nvcfg/sensor", s->directory());
  EXPECT_EQ(1u, cap.count("(/mnt/vendor/nvcfg)"));
}

// ---- file text ----

TEST_F(SavedTest, SavedTextIsExactAndNoTemporaryFileRemains) {
  SensorSaved saved;
  // An older, longer file is replaced as a whole.
  ASSERT_TRUE(handset->writeFile("/data/vendor/sensor/acc_bias.json", std::string(500, 'x')));
  const float bias[] = {0.012f, -0.003f, 0.0f};
  saved.saveCalibrationFloat("acc_bias.json", "acc_bias", bias, 3);
  EXPECT_EQ(kAccBiasText, readHost("/data/vendor/sensor/acc_bias.json"));

  const int32_t cali[] = {1, -2, 3, 2147483647, -2147483647 - 1, 0};
  saved.saveCalibrationInt32("mag_cali.json", "mag_cali", cali, 6);
  EXPECT_EQ(
      "{\n"
      "  \"mag_cali\": [\n"
      "      1,\n"
      "      -2,\n"
      "      3,\n"
      "      2147483647,\n"
      "      -2147483648,\n"
      "      0\n"
      "    ]\n"
      "}",
      readHost("/data/vendor/sensor/mag_cali.json"));
  int32_t back[6] = {};
  EXPECT_TRUE(saved.getCalibrationInt32("mag_cali.json", "mag_cali", back, 6));
  EXPECT_EQ(std::vector<int32_t>(cali, cali + 6), std::vector<int32_t>(back, back + 6));

  EXPECT_EQ((std::vector<std::string>{"acc_bias.json", "mag_cali.json"}), listing(kDataDir));
  struct stat st;
  ASSERT_EQ(0, stat(host("/data/vendor/sensor/mag_cali.json").c_str(), &st));
  const mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(0664u & ~mask, st.st_mode & 0777u);
}

TEST_F(SavedTest, NullValuesSaveNothing) {
  SensorSaved saved;
  cap.clear();
  saved.saveCalibrationInt32("als_cali.json", "als_cali", nullptr, 1);
  saved.saveCalibrationFloat("acc_bias.json", "acc_bias", nullptr, 3);
  EXPECT_TRUE(listing(kDataDir).empty());
  EXPECT_TRUE(cap.entries().empty());
}

// ---- getters ----

TEST_F(SavedTest, GetterRules) {
  struct Case {
    const char* name;
    const char* content;  // null: no file
    bool asFloat;
    const char* key;
    size_t count;
    bool ok;
    std::vector<double> copied;  // the leading values written to out
  };
  const Case cases[] = {
      {"count beyond the array", "{ \"mag_cali\": [1, 2, 3] }", false, "mag_cali", 6, false,
       {1, 2, 3}},
      {"ints read as floats", "{ \"acc_bias\": [1, 2.5, -3] }", true, "acc_bias", 3, true,
       {1, 2.5, -3}},
      {"float read as int", "{ \"acc_cali\": [1.0, 2, 3] }", false, "acc_cali", 3, false, {}},
      {"float later in the array", "{ \"acc_cali\": [1, 2.0, 3] }", false, "acc_cali", 3, false,
       {1}},
      {"count below the array", "{ \"ps_cali\": [7, 8, 9] }", false, "ps_cali", 2, true, {7, 8}},
      {"other members", "{ \"a\": true, \"als_cali\": [40], \"z\": null }", false, "als_cali", 1,
       true, {40}},
      {"missing key", "{ \"gyro_cali\": [1, 2, 3] }", false, "acc_cali", 3, false, {}},
      {"not an array", "{ \"acc_cali\": 5 }", false, "acc_cali", 1, false, {}},
      {"object instead of array", "{ \"acc_cali\": { \"0\": 1 } }", false, "acc_cali", 1, false,
       {}},
      {"string elements", "{ \"acc_cali\": [\"1\"] }", false, "acc_cali", 1, false, {}},
      {"file ends inside the array",
       "{\n  \"acc_bias\": [\n      1.000000,\n      2.000000,\n", true, "acc_bias", 2, false, {}},
      {"empty file", "", true, "acc_bias", 1, false, {}},
      {"array at the top", "[1, 2, 3]", false, "acc_cali", 1, false, {}},
      {"not JSON", "calibration", false, "acc_cali", 1, false, {}},
      {"no file", nullptr, false, "acc_cali", 1, false, {}},
  };
  SensorSaved saved;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(host("/data/vendor/sensor/cal.json"));
    if (c.content) {
      ASSERT_TRUE(handset->writeFile("/data/vendor/sensor/cal.json", c.content));
    }

    constexpr double kUntouched = 77;
    std::vector<double> got(8, kUntouched);
    bool ok;
    if (c.asFloat) {
      std::vector<float> out(8, kUntouched);
      ok = saved.getCalibrationFloat("cal.json", c.key, out.data(), c.count);
      got.assign(out.begin(), out.end());
    } else {
      std::vector<int32_t> out(8, kUntouched);
      ok = saved.getCalibrationInt32("cal.json", c.key, out.data(), c.count);
      got.assign(out.begin(), out.end());
    }
    EXPECT_EQ(c.ok, ok);
    std::vector<double> expected = c.copied;
    expected.resize(8, kUntouched);
    EXPECT_EQ(expected, got);
  }
  EXPECT_TRUE(
      logged("settings file(/data/vendor/sensor/cal.json) open failed: -2 (No such file or "
             "directory)"));
}

TEST_F(SavedTest, LoadSettingsGivesAnObjectOrAnEmptyOne) {
  ASSERT_TRUE(handset->writeFile("/data/vendor/x/obj.json", "{\"k\": [1]}"));
  ASSERT_TRUE(handset->writeFile("/data/vendor/x/arr.json", "[{\"k\": [1]}]"));
  fs::create_directories(host("/data/vendor/x/dir.json"));
  struct Case {
    const char* path;
    size_t members;
  };
  const Case cases[] = {
      {"/data/vendor/x/obj.json", 1},
      {"/data/vendor/x/arr.json", 0},
      {"/data/vendor/x/dir.json", 0},
      {"/data/vendor/x/none.json", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    sp<JSONObject> settings;
    android::loadSensorSettings(c.path, &settings);
    ASSERT_NE(nullptr, settings);
    EXPECT_EQ(c.members, settings->size());
  }
}

// ---- failed saves ----

TEST_F(SavedTest, FailedSaveKeepsTheOldFileAndLeavesNoTemporary) {
  const std::string file = "/data/vendor/sensor/acc_bias.json";
  const std::string temp = file + SensorSaved::kTempSuffix;
  struct Case {
    const char* name;
    std::function<void()> breakIt;
    std::string message;
    bool oldFileKept;
  };
  const std::vector<Case> cases = {
      {"directory removed",
       [&] { fs::remove_all(host(kDataDir)); },
       "saved settings(" + file + ") file open failed -2 (No such file or directory)", false},
      {"directory replaced by a file",
       [&] {
         fs::remove_all(host(kDataDir));
         std::ofstream(host(kDataDir)) << "x";
       },
       "saved settings(" + file + ") file open failed -20 (Not a directory)", false},
      {"read-only directory",
       [&] { fs::permissions(host(kDataDir), fs::perms(0555)); },
       "saved settings(" + file + ") file open failed -13 (Permission denied)", true},
      {"write fails",
       [&] { fs::create_symlink("/dev/full", host(temp)); },
       "saved settings file write failed -28 (No space left on device)", true},
      {"file is a directory",
       [&] {
         fs::remove(host(file));
         fs::create_directories(host(file + "/inside"));
       },
       "saved settings(" + file + ") file rename failed -21 (Is a directory)", false},
  };
  const float bias[] = {1.0f, 2.0f, 3.0f};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Permission checks do not stop root.
    if (std::string(c.name) == "read-only directory" && geteuid() == 0) continue;
    startHandset();
    SensorSaved saved;
    saved.saveCalibrationFloat("acc_bias.json", "acc_bias", bias, 3);
    const std::string old = readHost(file);
    ASSERT_FALSE(old.empty());

    c.breakIt();
    cap.clear();
    const float next[] = {4.0f, 5.0f, 6.0f};
    saved.saveCalibrationFloat("acc_bias.json", "acc_bias", next, 3);
    EXPECT_TRUE(logged(c.message));
    EXPECT_FALSE(fs::exists(fs::symlink_status(host(temp))));
    if (c.oldFileKept) {
      EXPECT_EQ(old, readHost(file));
      float back[3] = {};
      EXPECT_TRUE(saved.getCalibrationFloat("acc_bias.json", "acc_bias", back, 3));
      EXPECT_EQ(1.0f, back[0]);
    }
    std::error_code ec;
    fs::permissions(host(kDataDir), fs::perms(0775), ec);
  }
}

TEST_F(SavedTest, TooLongNamesFailCleanly) {
  SensorSaved saved;
  const size_t prefix = strlen(kDataDir) + 1;
  // Whole path of 4095 bytes (fits, its temporary does not), 4096 and more.
  for (size_t total : {SensorSaved::kPathSize - 1, SensorSaved::kPathSize, size_t{6000}}) {
    SCOPED_TRACE(total);
    const std::string name(total - prefix, 'n');
    cap.clear();
    int32_t out[1] = {5};
    EXPECT_FALSE(saved.getCalibrationInt32(name.c_str(), "k", out, 1));
    EXPECT_EQ(5, out[0]);
    // The open-failure messages; the log cuts them before their error text.
    EXPECT_EQ(1u, cap.count("settings file("));
    cap.clear();
    const int32_t v[1] = {1};
    saved.saveCalibrationInt32(name.c_str(), "k", v, 1);
    EXPECT_EQ(1u, cap.count("saved settings("));
  }
  EXPECT_TRUE(listing(kDataDir).empty());
}

// ---- concurrency ----

// A reader never sees a half-written file: saves replace it in one step.
TEST_F(SavedTest, ReadersSeeOnlyCompleteFiles) {
  SensorSaved writer;
  SensorSaved reader;
  const int32_t first[3] = {0, 1, 2};
  writer.saveCalibrationInt32("gyro_cali.json", "gyro_cali", first, 3);

  std::atomic<bool> done{false};
  std::atomic<int> failures{0};
  std::thread readThread([&] {
    while (!done.load()) {
      int32_t v[3] = {};
      if (!reader.getCalibrationInt32("gyro_cali.json", "gyro_cali", v, 3) || v[1] != v[0] + 1 ||
          v[2] != v[0] + 2)
        ++failures;
    }
  });
  for (int32_t i = 1; i <= 100; ++i) {
    const int32_t values[3] = {i * 1000, i * 1000 + 1, i * 1000 + 2};
    writer.saveCalibrationInt32("gyro_cali.json", "gyro_cali", values, 3);
  }
  done = true;
  readThread.join();
  EXPECT_EQ(0, failures.load());
  EXPECT_EQ(std::vector<std::string>{"gyro_cali.json"}, listing(kDataDir));
}

TEST_F(SavedTest, OneStoreSharedByThreads) {
  SensorSaved saved;
  std::vector<std::thread> threads;
  std::atomic<int> failures{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      const std::string file = "t" + std::to_string(t) + ".json";
      for (int i = 0; i < 25; ++i) {
        const float values[2] = {static_cast<float>(t), static_cast<float>(i)};
        saved.saveCalibrationFloat(file.c_str(), "v", values, 2);
        float back[2] = {};
        if (!saved.getCalibrationFloat(file.c_str(), "v", back, 2) || back[0] != values[0] ||
            back[1] != values[1])
          ++failures;
      }
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(0, failures.load());
  EXPECT_EQ((std::vector<std::string>{"t0.json", "t1.json", "t2.json", "t3.json"}),
            listing(kDataDir));
}

}  // namespace
