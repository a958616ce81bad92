// The simulated sensor kernel as the sensor module meets it: device FIFOs,
// attribute files, flush answers, data at the requested period, the record of
// attribute writes, "/dev/sensorlist" and the magnetometer library record.
#include "sim/sensor_simulator.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>

#include "sim/handset.h"
#include "unique_fd.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using kv::sim::AttributeWrite;
using kv::sim::SensorRecord;
using kv::sim::SensorSimulator;
using kv::sim::UniqueFd;

namespace {

constexpr auto kPatience = 5s;  // guards waits for what must happen

std::string padded(const std::string& text, size_t size) {
  std::string bytes = text;
  bytes.resize(size, '\0');
  return bytes;
}
std::string withNul(const std::string& text) { return text + std::string(1, '\0'); }

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

SensorRecord makeRecord(int64_t timestamp, int handle, int action, int32_t w0) {
  SensorRecord record{};
  record.timestamp = timestamp;
  record.handle = static_cast<int8_t>(handle);
  record.flush_action = static_cast<int8_t>(action);
  record.status = 2;
  record.word[0] = w0;
  record.word[5] = -w0;
  return record;
}

bool sameRecord(const SensorRecord& a, const SensorRecord& b) { return !memcmp(&a, &b, sizeof a); }

class SensorSimulatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kv::sim::HandsetOptions options;
    options.stageImage = false;
    options.setEnvironment = false;
    std::string error;
    handset_ = kv::sim::Handset::create(options, &error);
    ASSERT_NE(handset_, nullptr) << error;
    sim_ = SensorSimulator::create(*handset_, &error);
    ASSERT_NE(sim_, nullptr) << error;
  }

  // Writes an attribute as the sensor module does: read-write open, one write
  // at offset 0, close.
  void writeAttribute(const std::string& device, const std::string& attribute,
                      const std::string& bytes) {
    UniqueFd fd(open(sim_->attributePath(device, attribute).c_str(), O_RDWR));
    ASSERT_TRUE(fd.valid()) << attribute << ": " << strerror(errno);
    ASSERT_EQ(write(fd.get(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  // Writes and waits until the simulator recorded it.
  void writeAndWait(const std::string& device, const std::string& attribute,
                    const std::string& bytes) {
    size_t before = sim_->attributeWrites().size();
    writeAttribute(device, attribute, bytes);
    ASSERT_TRUE(sim_->waitForWrites(before + 1, kPatience)) << attribute;
  }

  UniqueFd openReader(const std::string& device) {
    return UniqueFd(open(sim_->devicePath(device).c_str(), O_RDONLY | O_NONBLOCK));
  }

  // Reads whole records until at least `count` arrived or the patience ran out.
  static std::vector<SensorRecord> readRecords(int fd, size_t count) {
    std::vector<SensorRecord> records;
    auto deadline = std::chrono::steady_clock::now() + kPatience;
    std::string pending;
    while (records.size() < count && std::chrono::steady_clock::now() < deadline) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char buf[4096];
      ssize_t n = read(fd, buf, sizeof buf);
      if (n <= 0) continue;
      pending.append(buf, static_cast<size_t>(n));
      while (pending.size() >= sizeof(SensorRecord)) {
        SensorRecord record;
        memcpy(&record, pending.data(), sizeof record);
        records.push_back(record);
        pending.erase(0, sizeof record);
      }
    }
    return records;
  }

  static size_t drain(int fd) {
    size_t total = 0;
    char buf[4096];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0) total += static_cast<size_t>(n);
    return total;
  }

  std::unique_ptr<kv::sim::Handset> handset_;
  std::unique_ptr<SensorSimulator> sim_;
};

TEST_F(SensorSimulatorTest, AddsEveryKernelDeviceWithItsAttributes) {
  ASSERT_TRUE(sim_->addAllDevices());
  const char* prefixes[] = {"acc", "mag", "gyro", "als",  "ps",     "baro", "step_c",
                            "act", "pedo", "hmdy", "situ", "fusion", "bio"};
  ASSERT_EQ(std::size(prefixes), kv::sim::kSensorDeviceCount);
  for (const char* prefix : prefixes) {
    std::string misc = std::string("m_") + prefix + "_misc";
    struct stat st {};
    ASSERT_EQ(lstat((handset_->root() + "/dev/" + misc).c_str(), &st), 0) << misc;
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << misc;
    std::string dir = handset_->root() + "/sys/class/sensor/" + misc + "/";
    for (const char* suffix : {"active", "delay", "batch", "flush", "cali"}) {
      std::string file = dir + prefix + suffix;
      ASSERT_EQ(lstat(file.c_str(), &st), 0) << file;
      EXPECT_TRUE(S_ISREG(st.st_mode)) << file;
    }
    std::vector<int> divisors = kv::sim::parseDivisors(readFile(dir + prefix + "active"));
    EXPECT_EQ(divisors.size(), std::string(prefix) == "fusion" ? 10u : 1u) << prefix;
    for (int divisor : divisors) EXPECT_GT(divisor, 0) << prefix;
  }
  EXPECT_EQ(readFile(sim_->attributePath("acc", "accactive")), "1000");
}

TEST_F(SensorSimulatorTest, ADeviceNotAddedIsMissing) {
  ASSERT_TRUE(sim_->addDevice("m_acc_misc"));
  EXPECT_TRUE(sim_->addDevice("acc"));  // again: nothing changes
  EXPECT_TRUE(sim_->hasDevice("acc"));
  EXPECT_FALSE(sim_->hasDevice("mag"));
  EXPECT_FALSE(fs::exists(handset_->root() + "/dev/m_mag_misc"));
  EXPECT_FALSE(fs::exists(handset_->root() + "/sys/class/sensor/m_mag_misc"));
  EXPECT_FALSE(sim_->writeRecord("mag", SensorRecord{}));
  std::string error;
  EXPECT_FALSE(sim_->addDevice("m_gps_misc", &error));
  EXPECT_NE(error.find("m_gps_misc"), std::string::npos);
}

TEST_F(SensorSimulatorTest, ABlockingReadOnlyOpenReturnsAndSeesNoHangup) {
  ASSERT_TRUE(sim_->addDevice("acc"));
  std::string path = sim_->devicePath("acc");
  std::promise<int> opened;
  std::future<int> result = opened.get_future();
  std::thread([opener = std::move(opened), path]() mutable {
    opener.set_value(open(path.c_str(), O_RDONLY));
  }).detach();
  if (result.wait_for(kPatience) != std::future_status::ready) {
    UniqueFd unblock(open(path.c_str(), O_WRONLY | O_NONBLOCK));  // lets the opener go
    result.wait();
    close(result.get());
    FAIL() << "a read-only open of the device blocked";
  }
  UniqueFd reader(result.get());
  ASSERT_TRUE(reader.valid());
  pollfd p{reader.get(), POLLIN, 0};
  EXPECT_EQ(poll(&p, 1, 0), 0) << "an empty device must not look readable (revents "
                               << p.revents << ")";
}

TEST_F(SensorSimulatorTest, RecordsArriveIntactOneWritePerCall) {
  ASSERT_TRUE(sim_->addDevice("gyro"));
  UniqueFd reader = openReader("gyro");
  ASSERT_TRUE(reader.valid());
  char buf[8192];

  SensorRecord one = makeRecord(123456789012345, 3, 0, -7);
  ASSERT_TRUE(sim_->writeRecord("gyro", one));
  ASSERT_EQ(read(reader.get(), buf, sizeof buf), 36);
  EXPECT_TRUE(sameRecord(*reinterpret_cast<SensorRecord*>(buf), one));

  std::vector<SensorRecord> batch = {makeRecord(1, 3, 0, 1), makeRecord(2, 3, 2, 2),
                                     makeRecord(3, 3, 4, 3)};
  ASSERT_TRUE(sim_->writeRecords("gyro", batch));
  ASSERT_EQ(read(reader.get(), buf, sizeof buf), 108);  // the batch in one read
  EXPECT_EQ(memcmp(buf, batch.data(), 108), 0);

  ASSERT_TRUE(sim_->writeRaw("gyro", std::string(40, 'x')));  // a malformed length
  EXPECT_EQ(read(reader.get(), buf, sizeof buf), 40);
}

TEST_F(SensorSimulatorTest, AFullDeviceRefusesWritesWithoutBlockingOrTearing) {
  ASSERT_TRUE(sim_->addDevice("ps"));
  UniqueFd reader = openReader("ps");
  ASSERT_TRUE(reader.valid());
  int written = 0;
  while (written < 100000 && sim_->writeRecord("ps", makeRecord(written, 7, 0, written)))
    ++written;
  ASSERT_LT(written, 100000) << "the FIFO never filled";
  int queued = 0;
  ASSERT_EQ(ioctl(reader.get(), FIONREAD, &queued), 0);
  EXPECT_EQ(queued, written * 36);
  std::vector<SensorRecord> big(200);
  EXPECT_FALSE(sim_->writeRecords("ps", big)) << "larger than PIPE_BUF into a non-empty FIFO";
  EXPECT_EQ(drain(reader.get()), static_cast<size_t>(written) * 36);

  for (size_t i = 0; i < big.size(); ++i) big[i] = makeRecord(i, 7, 0, static_cast<int32_t>(i));
  ASSERT_TRUE(sim_->writeRecords("ps", big));  // an empty FIFO takes it whole
  std::vector<SensorRecord> got = readRecords(reader.get(), big.size());
  ASSERT_EQ(got.size(), big.size());
  for (size_t i = 0; i < big.size(); ++i) EXPECT_TRUE(sameRecord(got[i], big[i])) << i;
}

TEST_F(SensorSimulatorTest, AFlushWriteIsAnsweredWithAFlushCompleteRecord) {
  ASSERT_TRUE(sim_->addAllDevices());
  struct Case {
    const char* device;
    int id;
  } cases[] = {{"acc", 0}, {"situ", 21}, {"fusion", 8}, {"bio", 67}};
  for (const Case& c : cases) {
    UniqueFd reader = openReader(c.device);
    ASSERT_TRUE(reader.valid());
    int64_t before = kv::sim::bootTimeNs();
    std::string attribute = std::string(kv::sim::findSensorDevice(c.device)->prefix) + "flush";
    writeAttribute(c.device, attribute, padded(std::to_string(c.id), 32));
    std::vector<SensorRecord> got = readRecords(reader.get(), 1);
    ASSERT_EQ(got.size(), 1u) << c.device;
    EXPECT_EQ(got[0].handle, c.id);
    EXPECT_EQ(got[0].flush_action, kv::sim::kActionFlushComplete);
    EXPECT_GE(got[0].timestamp, before);
    EXPECT_LE(got[0].timestamp, kv::sim::bootTimeNs());
    EXPECT_EQ(sim_->recordCounts(c.device).flush, 1u);
  }
}

TEST_F(SensorSimulatorTest, EnableWithBatchStreamsAtThePeriodAndDisableStops) {
  ASSERT_TRUE(sim_->addDevice("acc"));
  UniqueFd reader = openReader("acc");
  ASSERT_TRUE(reader.valid());
  const int64_t period = 20000000;
  writeAndWait("acc", "accbatch", padded("0,0,20000000,0", 128));
  EXPECT_FALSE(sim_->isStreaming("acc", 0));  // paced but not enabled
  writeAndWait("acc", "accactive", withNul("1"));
  EXPECT_TRUE(sim_->isStreaming("acc", 0));

  std::vector<SensorRecord> got = readRecords(reader.get(), 5);
  ASSERT_GE(got.size(), 5u);
  for (size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].handle, 0);
    EXPECT_EQ(got[i].flush_action, kv::sim::kActionData);
    EXPECT_EQ(got[i].status, 3);
    // Lying on a table: about (0, 0, 9.80665) m/s² at divisor 1000.
    EXPECT_NEAR(got[i].word[0], 0, 11);
    EXPECT_NEAR(got[i].word[1], 0, 11);
    EXPECT_NEAR(got[i].word[2], 9807, 11);
    if (i > 0) {
      EXPECT_GE(got[i].timestamp - got[i - 1].timestamp, period);
    }
  }
  EXPECT_LE(got[0].timestamp, kv::sim::bootTimeNs());

  writeAndWait("acc", "accactive", withNul("0"));
  EXPECT_FALSE(sim_->isStreaming("acc", 0));
  drain(reader.get());
  uint64_t emitted = sim_->recordCounts("acc").data;
  std::this_thread::sleep_for(5 * std::chrono::nanoseconds(period));
  EXPECT_EQ(sim_->recordCounts("acc").data, emitted);
  EXPECT_EQ(drain(reader.get()), 0u);
}

TEST_F(SensorSimulatorTest, EveryEnableFormStartsItsSensorId) {
  ASSERT_TRUE(sim_->addAllDevices());
  struct Case {
    const char* device;
    const char* paceAttribute;
    std::string pace;
    const char* activeAttribute;
    std::string active;
    int id;
  } cases[] = {
      {"gyro", "gyrodelay", withNul("10000000"), "gyroactive", withNul("1"), 3},
      {"als", "alsbatch", padded("4,0,10000000,0", 128), "alsactive", padded("4,1", 8), 4},
      {"situ", "situbatch", padded("26,0,10000000,0", 128), "situactive", padded("26 : 1", 8), 26},
      {"fusion", "fusiondelay", withNul("8,10000000"), "fusionactive", padded("8,1", 8), 8},
      {"step_c", "step_cbatch", padded("18,0,10000000,0", 128), "step_cactive", withNul("18,1"),
       18},
  };
  for (const Case& c : cases) {
    UniqueFd reader = openReader(c.device);
    ASSERT_TRUE(reader.valid());
    writeAndWait(c.device, c.paceAttribute, c.pace);
    writeAndWait(c.device, c.activeAttribute, c.active);
    EXPECT_TRUE(sim_->isStreaming(c.device, c.id)) << c.device;
    std::vector<SensorRecord> got = readRecords(reader.get(), 2);
    ASSERT_GE(got.size(), 2u) << c.device;
    EXPECT_EQ(got[0].handle, c.id) << c.device;
    EXPECT_EQ(got[1].handle, c.id) << c.device;
  }
}

TEST_F(SensorSimulatorTest, TheDefaultSceneScalesByTheDivisor) {
  ASSERT_TRUE(sim_->addDevice("fusion"));
  ASSERT_TRUE(sim_->addDevice("acc"));
  ASSERT_TRUE(sim_->setDivisorText("acc", "100"));
  UniqueFd fusion = openReader("fusion"), acc = openReader("acc");
  writeAndWait("fusion", "fusiondelay", withNul("8,10000000"));  // gravity
  writeAndWait("fusion", "fusionactive", padded("8,1", 8));
  writeAndWait("acc", "accdelay", withNul("10000000"));
  writeAndWait("acc", "accactive", withNul("1"));
  std::vector<SensorRecord> gravity = readRecords(fusion.get(), 1), accel = readRecords(acc.get(), 1);
  ASSERT_GE(gravity.size(), 1u);
  ASSERT_GE(accel.size(), 1u);
  EXPECT_NEAR(gravity[0].word[2], 9807, 11);  // fusion index 5, divisor 1000
  EXPECT_NEAR(accel[0].word[2], 981, 2);       // divisor 100
}

TEST_F(SensorSimulatorTest, ATestSceneGivesTheValues) {
  ASSERT_TRUE(sim_->addDevice("baro"));
  UniqueFd reader = openReader("baro");
  // Every other sample only, its sequence number as the value.
  ASSERT_TRUE(sim_->setScene("baro", [](uint64_t sequence, SensorRecord& record) {
    record.word[0] = static_cast<int32_t>(sequence);
    return sequence % 2 == 0;
  }));
  writeAndWait("baro", "barobatch", padded("5,0,5000000,0", 128));
  writeAndWait("baro", "baroactive", withNul("1"));
  std::vector<SensorRecord> got = readRecords(reader.get(), 4);
  ASSERT_GE(got.size(), 4u);
  for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i].word[0], static_cast<int32_t>(2 * i));

  ASSERT_TRUE(sim_->resetScene("baro"));
  drain(reader.get());
  got = readRecords(reader.get(), 2);
  ASSERT_GE(got.size(), 2u);
  EXPECT_NEAR(got[1].word[0], 101325, 2);  // 1013.25 hPa at divisor 100
}

TEST_F(SensorSimulatorTest, AttributeWritesAreRecordedWithTheirExactBytesInOrder) {
  ASSERT_TRUE(sim_->addAllDevices());
  std::string cali(24, '\0');
  const int32_t values[6] = {981, -2, 0, 1, 2, 0x01020304};
  memcpy(cali.data(), values, sizeof values);
  const std::vector<AttributeWrite> writes = {
      {"m_acc_misc", "accactive", withNul("1")},  // over the divisor text "1000"
      {"m_acc_misc", "accbatch", padded("0,0,20000000,0", 128)},
      {"m_als_misc", "alsactive", padded("4,1", 8)},
      {"m_situ_misc", "situbatch", padded("21,0,20000000,0", 128)},
      {"m_situ_misc", "situactive", padded("21 : 1", 8)},
      {"m_fusion_misc", "fusionactive", padded("8,1", 8)},  // over ten divisors
      {"m_fusion_misc", "fusiondelay", withNul("8,20000000")},
      {"m_step_c_misc", "step_cactive", withNul("16,1")},
      // Delays of decreasing length into one file: no tail of an earlier one.
      {"m_acc_misc", "accdelay", withNul("200000000")},
      {"m_acc_misc", "accdelay", withNul("20000000")},
      {"m_acc_misc", "accdelay", withNul("66667")},
      {"m_acc_misc", "accflush", padded("0", 32)},
      {"m_acc_misc", "acccali", cali},
      {"m_hmdy_misc", "hmdybatch", withNul("1")},
      {"m_acc_misc", "accactive", withNul("0")},
  };
  for (const AttributeWrite& w : writes) writeAndWait(w.device, w.attribute, w.bytes);
  std::vector<AttributeWrite> got = sim_->attributeWrites();
  ASSERT_EQ(got.size(), writes.size());
  for (size_t i = 0; i < writes.size(); ++i) {
    EXPECT_EQ(got[i].device, writes[i].device) << i;
    EXPECT_EQ(got[i].attribute, writes[i].attribute) << i;
    EXPECT_EQ(got[i].bytes, writes[i].bytes) << i << " " << writes[i].attribute;
  }
  sim_->clearWrites();
  EXPECT_TRUE(sim_->attributeWrites().empty());
}

TEST_F(SensorSimulatorTest, TheActiveAttributeReadsBackTheDivisor) {
  ASSERT_TRUE(sim_->addDevice("acc"));
  std::string active = sim_->attributePath("acc", "accactive");
  {
    UniqueFd fd(open(active.c_str(), O_RDWR));  // as the driver reads its divisor
    char buf[64];
    ASSERT_EQ(read(fd.get(), buf, sizeof buf), 4);
  }
  writeAndWait("acc", "accdelay", withNul("5000000"));
  ASSERT_EQ(sim_->attributeWrites().size(), 1u);
  EXPECT_EQ(sim_->attributeWrites()[0].attribute, "accdelay");

  writeAndWait("acc", "accactive", withNul("1"));
  EXPECT_EQ(readFile(active), "1000");  // a module opened again reads its divisor
  ASSERT_TRUE(sim_->resetDivisors());
  EXPECT_EQ(readFile(active), "1000");
  ASSERT_TRUE(sim_->setDivisorText("acc", "512"));
  EXPECT_EQ(readFile(active), "512");
  writeAndWait("acc", "accactive", withNul("0"));
  std::vector<AttributeWrite> got = sim_->attributeWrites();
  ASSERT_EQ(got.size(), 3u) << "the simulator's own divisor writes are no attribute writes";
  EXPECT_EQ(got[2].bytes, withNul("0"));
}

TEST_F(SensorSimulatorTest, TheListenerSeesEveryWrite) {
  ASSERT_TRUE(sim_->addDevice("pedo"));
  std::promise<AttributeWrite> seen;
  sim_->setWriteListener([&seen](const AttributeWrite& w) { seen.set_value(w); });
  writeAttribute("pedo", "pedodelay", withNul("1000000000"));
  auto future = seen.get_future();
  ASSERT_EQ(future.wait_for(kPatience), std::future_status::ready);
  EXPECT_EQ(future.get().bytes, withNul("1000000000"));
  sim_->setWriteListener(nullptr);
}

TEST_F(SensorSimulatorTest, SensorListTableIsAbsentUntilSet) {
  std::string path = handset_->root() + "/dev/sensorlist";
  EXPECT_FALSE(fs::exists(path));
  ASSERT_TRUE(sim_->setSensorList({"kx022acc", "virtual_gyro", "NULL", "stk3x1xals",
                                   "sixteen_bytes_xx", "bmp280baro", ""}));
  std::string table = readFile(path);
  ASSERT_EQ(table.size(), kv::sim::kSensorListSize);
  EXPECT_EQ(table.substr(0, 16), padded("kx022acc", 16));
  EXPECT_EQ(table.substr(16, 16), padded("virtual_gyro", 16));
  EXPECT_EQ(table.substr(32, 16), padded("NULL", 16));
  EXPECT_EQ(table.substr(64, 16), "sixteen_bytes_xx");  // no NUL
  EXPECT_EQ(table.substr(96, 16), std::string(16, '\0'));

  ASSERT_TRUE(sim_->setSensorList({"kx022acc"}));
  EXPECT_EQ(readFile(path), padded("kx022acc", 112));  // missing slots are empty
  EXPECT_FALSE(sim_->setSensorList({"a_name_of_17_byte"}));
  EXPECT_FALSE(sim_->setSensorList(std::vector<std::string>(8, "NULL")));
  ASSERT_TRUE(sim_->setSensorListBytes("kx0"));  // a short table
  EXPECT_EQ(readFile(path), "kx0");
  ASSERT_TRUE(sim_->removeSensorList());
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(SensorSimulatorTest, MagLibInfoIsThe72ByteRecord) {
  ASSERT_TRUE(sim_->setMagLibInfo("calmodule_vxmR410", 3, 0x1234));
  std::string bytes = readFile(handset_->root() + "/sys/class/sensor/m_mag_misc/maglibinfo");
  ASSERT_EQ(bytes.size(), 72u);
  EXPECT_EQ(bytes.substr(0, 64), padded("calmodule_vxmR410", 64));
  int32_t layout, deviceId;
  memcpy(&layout, bytes.data() + 64, 4);
  memcpy(&deviceId, bytes.data() + 68, 4);
  EXPECT_EQ(layout, 3);
  EXPECT_EQ(deviceId, 0x1234);

  ASSERT_TRUE(sim_->setMagLibInfo(std::string(70, 'n'), 0, 0));  // fills the name, no NUL
  bytes = readFile(handset_->root() + "/sys/class/sensor/m_mag_misc/maglibinfo");
  EXPECT_EQ(bytes.substr(0, 64), std::string(64, 'n'));
}

TEST_F(SensorSimulatorTest, DestroyingTheSimulatorRemovesItsDevices) {
  ASSERT_TRUE(sim_->addAllDevices());
  ASSERT_TRUE(sim_->setSensorList({"kx022acc"}));
  ASSERT_TRUE(sim_->setMagLibInfo("calmodule_vxmR410", 0, 0));
  std::string root = handset_->root();
  sim_.reset();
  EXPECT_FALSE(fs::exists(root + "/dev/m_acc_misc"));
  EXPECT_FALSE(fs::exists(root + "/dev/sensorlist"));
  EXPECT_FALSE(fs::exists(root + "/sys/class/sensor"));
  EXPECT_TRUE(fs::is_directory(root + "/dev"));
}

}  // namespace
