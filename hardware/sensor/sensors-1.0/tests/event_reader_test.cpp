// The ring reader of kernel event records and the pipe variant.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <string.h>
#include <unistd.h>

#include <vector>

#include "SensorEventReader.h"

namespace {

sensor_event record(int64_t ts, int8_t handle = 0, int32_t w0 = 0) {
  sensor_event r;
  memset(&r, 0, sizeof r);
  r.timestamp = ts;
  r.handle = handle;
  r.word[0] = w0;
  return r;
}

// A reader over a pipe whose write end the test holds, like the kernel device.
class Ring : public ::testing::Test {
 protected:
  void make(size_t capacity) {
    reader_.reset(new SensorEventCircularReader(capacity));
    ASSERT_EQ(reader_->selectSensorEventFd(nullptr), 0);
  }
  void put(int64_t first, int n) {
    std::vector<sensor_event> batch;
    for (int i = 0; i < n; ++i) batch.push_back(record(first + i));
    ASSERT_EQ(write(reader_->getWriteFd(), batch.data(), batch.size() * sizeof(sensor_event)),
              static_cast<ssize_t>(batch.size() * sizeof(sensor_event)));
  }
  // Consumes up to n records, returning their timestamps.
  std::vector<int64_t> take(int n) {
    std::vector<int64_t> out;
    const sensor_event* r;
    while (n-- > 0 && reader_->readEvent(&r)) {
      out.push_back(r->timestamp);
      reader_->next();
    }
    return out;
  }
  std::unique_ptr<SensorEventCircularReader> reader_;
};

TEST_F(Ring, WholeRecordsOnly) {
  make(8);
  put(1, 2);  // 72 bytes: two records
  EXPECT_EQ(reader_->fill(), 2);
  // 40 bytes: not a whole number of records; dropped, the ring unchanged.
  char junk[40] = {};
  ASSERT_EQ(write(reader_->getWriteFd(), junk, sizeof junk), 40);
  EXPECT_EQ(reader_->fill(), 0);
  EXPECT_EQ(take(10), (std::vector<int64_t>{1, 2}));
  EXPECT_FALSE(reader_->pendingEvent());
}

TEST_F(Ring, ReadsThatCrossTheEndComeBackInOrder) {
  make(32);
  put(0, 30);
  EXPECT_EQ(reader_->fill(), 30);
  EXPECT_EQ(take(30).size(), 30u);
  put(100, 40);                       // more than the ring holds
  EXPECT_EQ(reader_->fill(), 32);     // asks for mFree records only
  std::vector<int64_t> got = take(32);
  ASSERT_EQ(got.size(), 32u);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(got[i], 100 + i);
  EXPECT_EQ(reader_->fill(), 8);      // the rest stayed with the kernel
  got = take(8);
  ASSERT_EQ(got.size(), 8u);
  EXPECT_EQ(got.front(), 132);
  EXPECT_EQ(got.back(), 139);
}

TEST_F(Ring, FullRingReadsNothingUntilConsumed) {
  make(4);
  put(0, 6);
  EXPECT_EQ(reader_->fill(), 4);
  EXPECT_EQ(reader_->fill(), 0);
  take(1);
  EXPECT_EQ(reader_->fill(), 1);
  EXPECT_EQ(take(10), (std::vector<int64_t>{1, 2, 3, 4}));
}

TEST_F(Ring, FillEndingAtTheEndWrapsOnTheNextRead) {
  make(4);
  put(0, 4);
  EXPECT_EQ(reader_->fill(), 4);
  take(2);
  put(10, 2);
  EXPECT_EQ(reader_->fill(), 2);  // lands past the end, moved to the start
  EXPECT_EQ(take(4), (std::vector<int64_t>{2, 3, 10, 11}));
}

TEST_F(Ring, EmptyRing) {
  make(4);
  const sensor_event* r = nullptr;
  EXPECT_FALSE(reader_->readEvent(&r));
  EXPECT_NE(r, nullptr);  // names the next slot, not to be interpreted
  reader_->next();        // consuming nothing keeps the ring consistent
  put(5, 1);
  EXPECT_EQ(reader_->fill(), 1);
  EXPECT_EQ(take(4), (std::vector<int64_t>{5}));
}

TEST_F(Ring, PipeReaderIsNonBlockingAndWakesPoll) {
  make(4);
  EXPECT_TRUE(fcntl(reader_->getReadFd(), F_GETFL) & O_NONBLOCK);
  EXPECT_TRUE(fcntl(reader_->getWriteFd(), F_GETFL) & O_NONBLOCK);
  EXPECT_EQ(reader_->fill(), 0);  // nothing there: no block
  sensor_event r = record(42, 100, 7);
  EXPECT_EQ(reader_->writeEvent(&r), 36);
  pollfd p{reader_->getReadFd(), POLLIN, 0};
  EXPECT_EQ(poll(&p, 1, 0), 1);
  EXPECT_EQ(reader_->fill(), 1);
  const sensor_event* got;
  ASSERT_TRUE(reader_->readEvent(&got));
  EXPECT_EQ(got->handle, 100);
  EXPECT_EQ(got->word[0], 7);
}

TEST(ReaderDevice, MissingDeviceIsReported) {
  SensorEventCircularReader reader(4);
  EXPECT_EQ(reader.selectSensorEventFd("/nonexistent/dev/m_acc_misc"), -1);
  EXPECT_EQ(reader.getReadFd(), -1);
}

}  // namespace
