// The poll context: routing of sensor ids to drivers, the poll loop's sharing
// of the caller's array, handle conversion and recovery from bad driver counts.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "SensorContext.h"
#include "SensorList.h"
#include "sim_fixture.h"
#include "kv/logcapture.h"
#include "sim/handset.h"

namespace {

using Context = FakeContextTest;

TEST(HandleToDriver, MapsEverySensorIdOfTheTable) {
  auto handset = kv::sim::Handset::createBare();
  struct Case {
    int id, index;
  } cases[] = {
      {0, 0},   {1, 1},   {3, 2},   {4, 3},   {69, 3},  {7, 4},   {5, 5},   {11, 6},
      {16, 7},  {17, 7},  {18, 7},  {65, 7},  {54, 8},  {56, 9},  {21, 10}, {59, 10},
      {71, 10}, {34, 11}, {2, 12},  {57, 12}, {66, 13}, {68, 13}, {100, 14},
      {-1, -22}, {6, -22}, {101, -22}, {199, -22}, {1000, -22},
      // No /dev/sensorlist: the gyroscope counts as hardware, the co-processor fuses.
      {15, 11}, {70, 11},
  };
  for (const auto& c : cases) EXPECT_EQ(handleToDriver(c.id), c.index) << "id " << c.id;
  SensorList::destroyInstance();
}

TEST_F(Context, UnknownSensorIdIsLoggedAndAnswersZero) {
  kv::LogCapture capture;
  EXPECT_EQ(context_->activate(199, 1), 0);
  EXPECT_EQ(context_->setDelay(199, 1000), 0);
  EXPECT_EQ(context_->batch(199, 0, 1, 0), 0);
  EXPECT_EQ(context_->flush(199), 0);
  for (const char* op : {"activate", "setDelay", "batch", "flush"})
    EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "SensorContext",
                                 std::string(op) + " error index = -22\n")) << op;
  sensors_event_t e{};
  EXPECT_EQ(context_->setEvent(&e, 15), 0);
  EXPECT_EQ(context_->setEvent(&e, -1), 0);
  EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "SensorContext", "setEvent error index = 15\n"));
  EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "SensorContext", "setEvent error index = -1\n"));
}

TEST_F(Context, SetDelayPacesThroughBatch) {
  context_->setDelay(0, 20000000);
  EXPECT_EQ(fakes_[0]->takeCalls(), std::vector<std::string>{"batch 0 0 20000000 0"});
}

struct ShareCase {
  const char* name;
  int count;
  int queued;  // events queued on each of drivers 1, 4 and 9
  std::vector<int> firstShares;  // shares offered in the first pass, by driver
  int total;
};
void PrintTo(const ShareCase& c, std::ostream* os) { *os << c.name; }


class Sharing : public Context, public ::testing::WithParamInterface<ShareCase> {};

TEST_P(Sharing, ReadyDriversSplitTheArray) {
  const ShareCase& c = GetParam();
  for (int index : {1, 4, 9}) fakes_[index]->push(index, c.queued);
  // A first call with nothing readable yet would block: make the pipes readable
  // first by letting poll see them (the first pass has no revents).
  std::vector<sensors_event_t> out(static_cast<size_t>(c.count));
  int n = context_->pollEvent(out.data(), c.count);
  EXPECT_EQ(n, c.total);
  std::vector<int> shares;
  for (int index : {1, 4, 9})
    shares.push_back(fakes_[index]->shares.empty() ? 0 : fakes_[index]->shares.front());
  EXPECT_EQ(shares, c.firstShares);
}

INSTANTIATE_TEST_SUITE_P(
    PollLoop, Sharing,
    ::testing::Values(
        // Three ready, room for one: only the lowest-indexed is read in a pass.
        ShareCase{"count1", 1, 2, {1, 0, 0}, 1},
        // Three ready, room for nine: each is offered three.
        ShareCase{"count9", 9, 5, {3, 3, 3}, 9},
        ShareCase{"count128", 128, 2, {42, 42, 42}, 6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Context, EventsLeaveWithHandlesAndFlushAnswersWithMetaSensor) {
  fakes_[0]->push(0, 1);
  fakes_[0]->push(0, 1, /*type meta*/ 0);
  sensors_event_t out[4];
  ASSERT_EQ(context_->pollEvent(out, 4), 2);
  EXPECT_EQ(out[0].sensor, 1);
  EXPECT_EQ(out[0].type, 1);
  EXPECT_EQ(out[1].type, 0);
  EXPECT_EQ(out[1].sensor, 0);  // unchanged
  EXPECT_EQ(out[1].meta_data.sensor, 1);
}

TEST_F(Context, PendingEventCountsAsReady) {
  fakes_[12]->usePending = true;
  fakes_[12]->push(2, 1);
  char drain[8];
  while (read(fakes_[12]->getFd(), drain, sizeof drain) > 0) {
  }
  sensors_event_t out[2];
  EXPECT_EQ(context_->pollEvent(out, 2), 1);
  EXPECT_EQ(out[0].sensor, 3);
}

struct BadCount {
  const char* name;
  int result;
  int kept;
};
void PrintTo(const BadCount& c, std::ostream* os) { *os << c.name; }


class BadCounts : public Context, public ::testing::WithParamInterface<BadCount> {};

// A driver answering outside 0..share neither moves the data pointer backwards
// nor past the array; the other drivers' events stay intact.
TEST_P(BadCounts, LoopRecovers) {
  kv::LogCapture capture;
  fakes_[1]->push(1, 4);
  fakes_[3]->push(4, 4);
  fakes_[1]->forcedResult = GetParam().result;
  sensors_event_t out[8];
  for (auto& e : out) e.sensor = -99;
  int n = context_->pollEvent(out, 8);
  // Driver 1 keeps at most its share (4); driver 3 delivers its four events.
  EXPECT_EQ(n, GetParam().kept + 4);
  EXPECT_EQ(out[GetParam().kept].sensor, 5);  // driver 3's first event right after
  EXPECT_EQ(capture.count("pollEvents nb:"), 1u);
}

INSTANTIATE_TEST_SUITE_P(PollLoop, BadCounts,
                         ::testing::Values(BadCount{"minus22", -22, 0}, BadCount{"overShare", 9, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
