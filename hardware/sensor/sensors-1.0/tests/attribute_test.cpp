// The exact bytes of the sysfs attribute formats, the write protocol and the
// divisor read.
#include <gtest/gtest.h>
#include <string.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "SensorAttribute.h"
#include "kv/logcapture.h"
#include "sim/handset.h"

namespace {

std::string bytes(const AttributeValue& v) { return std::string(v.bytes, v.length); }
std::string padded(const std::string& text, size_t size) {
  std::string s = text;
  s.resize(size, '\0');
  return s;
}

TEST(AttributeFormats, ExactBytes) {
  struct Case {
    const char* name;
    AttributeValue value;
    std::string expected;
  } cases[] = {
      {"active flag on", attr::activeFlag(1), std::string("1\0", 2)},
      {"active flag off", attr::activeFlag(0), std::string("0\0", 2)},
      {"light active", attr::activePair(4, 1), padded("4,1", 8)},
      {"situation active", attr::activeSpaced(22, 0), padded("22 : 0", 8)},
      {"step active", attr::activePairText(16, 0), std::string("16,0\0", 5)},
      {"delay", attr::delay(20000000), std::string("20000000\0", 9)},
      {"fusion delay", attr::delayPair(2, 5000000), std::string("2,5000000\0", 10)},
      {"batch", attr::batch(21, 0, 20000000, 0), padded("21,0,20000000,0", 128)},
      {"humidity batch", attr::batchFlag(100), std::string("1\0", 2)},
      {"humidity batch, no latency", attr::batchFlag(0), std::string("0\0", 2)},
      {"flush", attr::flush(0), padded("0", 32)},
      {"64-bit values", attr::batch(1, 0, 9223372036854775807LL, -1),
       padded("1,0,9223372036854775807,-1", 128)},
  };
  for (const auto& c : cases) EXPECT_EQ(bytes(c.value), c.expected) << c.name;
}

class Attributes : public ::testing::Test {
 protected:
  void SetUp() override {
    handset_ = kv::sim::Handset::createBare();
    ASSERT_TRUE(handset_);
    ASSERT_TRUE(handset_->writeFile("/sys/class/sensor/m_acc_misc/accbatch", ""));
  }
  std::string read(const std::string& handsetPath) {
    std::ifstream in(handset_->hostPath(handsetPath), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::unique_ptr<kv::sim::Handset> handset_;
};

TEST_F(Attributes, WriteGoesBehindTheDirectory) {
  SensorAttributePath path;
  path.setDirectory("/sys/class/sensor/m_acc_misc/");
  EXPECT_EQ(path.write("accbatch", attr::batch(0, 0, 5000000, 0)), 0);
  EXPECT_EQ(read("/sys/class/sensor/m_acc_misc/accbatch"), padded("0,0,5000000,0", 128));
  EXPECT_EQ(path.write("accmissing", attr::flush(0)), -1);  // no such attribute
}

TEST_F(Attributes, NoDirectoryMeansEveryWriteFails) {
  SensorAttributePath path;
  EXPECT_FALSE(path.hasDirectory());
  EXPECT_EQ(path.write("accbatch", attr::flush(0)), -1);
}

TEST_F(Attributes, OverlongNamesAreCutToTheBuffer) {
  SensorAttributePath path;
  path.setDirectory("/sys/class/sensor/m_acc_misc/");
  std::string name(2 * SensorAttributePath::kPathSize, 'a');
  const char* full = path.attribute(name.c_str());
  EXPECT_EQ(strlen(full), SensorAttributePath::kPathSize - 1);
  EXPECT_EQ(path.write(name.c_str(), attr::flush(0)), -1);
}

TEST_F(Attributes, Divisor) {
  struct Case {
    const char* content;  // nullptr: no file
    bool ok;
    int divisor;
    const char* message;
  } cases[] = {
      {"1000\n", true, 1000, "read div buf(/sys/class/sensor/m_acc_misc/accactive), mdiv 1000"},
      {"", false, 1, "read dev err, len = 0"},
      {"abc", false, 1, "read dev err, len = 3"},
      {"0", false, 1, "read dev err, len = 1"},  // a zero divisor is refused
      {nullptr, false, 1, "open misc path /sys/class/sensor/m_acc_misc/accactive fail"},
  };
  for (const auto& c : cases) {
    const char* path = "/sys/class/sensor/m_acc_misc/accactive";
    unlink(handset_->hostPath(path).c_str());
    if (c.content) {
      ASSERT_TRUE(handset_->writeFile(path, c.content));
    }
    kv::LogCapture capture;
    int divisor = 1;
    EXPECT_EQ(readSensorDivisor("Accelerometer", path, "read dev err", &divisor), c.ok) << c.message;
    EXPECT_EQ(divisor, c.divisor) << c.message;
    EXPECT_EQ(capture.count(c.message), 1u) << c.message;
  }
}

}  // namespace
