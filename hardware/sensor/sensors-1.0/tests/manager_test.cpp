// The sensor manager's arbitration between clients and its event distribution,
// observed through the calls that reach the accelerometer's driver slot.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "SensorContext.h"
#include "SensorList.h"
#include "SensorManager.h"
#include "sim_fixture.h"
#include "kv/logcapture.h"
#include "sim/handset.h"

namespace {

class Manager : public FakeContextTest {
 protected:
  void SetUp() override {
    FakeContextTest::SetUp();
    if (HasFatalFailure()) return;
    manager_ = SensorManager::getInstance();
    manager_->setSensorContext(context_);
    a_ = manager_->createSensorConnection(15);
    b_ = manager_->createSensorConnection(15);
    manager_->setNativeConnection(a_);
    const sensor_t* list;
    size_t n = SensorList::getInstance()->getSensorList(&list);
    manager_->addSensorsList(list, n);
    for (FakeDriver* f : fakes_.drivers) f->takeCalls();
  }
  void TearDown() override {
    FakeContextTest::TearDown();
    if (!manager_) return;
    manager_->removeSensorConnection(a_);
    manager_->removeSensorConnection(b_);
    SensorManager::destroyInstance();
  }
  SensorConnection* client(char c) { return c == 'A' ? a_ : b_; }

  SensorManager* manager_ = nullptr;
  SensorConnection* a_ = nullptr;
  SensorConnection* b_ = nullptr;
};

// One step of a scenario: client, 'b'atch (period, latency) or 'a'ctivate (en).
struct Step {
  char client;
  char op;
  int64_t x;
  int64_t y;
  int result;
};

struct Scenario {
  const char* name;
  std::vector<Step> steps;
  std::vector<std::string> hardware;  // calls reaching the accelerometer slot, in order
};
void PrintTo(const Scenario& c, std::ostream* os) { *os << c.name; }


class Arbitration : public Manager, public ::testing::WithParamInterface<Scenario> {};

TEST_P(Arbitration, HardwareGetsTheArbitratedRequests) {
  for (const Step& s : GetParam().steps) {
    int r = s.op == 'b' ? manager_->batch(client(s.client), 0, s.x, s.y)
                        : manager_->activate(client(s.client), 0, s.x != 0);
    EXPECT_EQ(r, s.result) << s.client << s.op << s.x;
  }
  EXPECT_EQ(fakes_[0]->takeCalls(), GetParam().hardware);
}

INSTANTIATE_TEST_SUITE_P(
    Manager, Arbitration,
    ::testing::Values(
        Scenario{"FirstClientSwitchesOn",
                 {{'A', 'b', 20000000, 0, 0}, {'A', 'a', 1, 0, 0}},
                 {"batch 0 0 20000000 0", "enable 0 1"}},
        // minDelay 5000 us, maxDelay 20000 us.
        Scenario{"PeriodClampedToMinDelay", {{'A', 'b', 1000000, 0, 0}}, {"batch 0 0 5000000 0"}},
        Scenario{"PeriodClampedToMaxDelay", {{'A', 'b', 1000000000, 0, 0}}, {"batch 0 0 20000000 0"}},
        // Period and latency are chosen independently.
        Scenario{"MinPeriodAndMinLatencyOfTwoClients",
                 {{'A', 'b', 20000000, 0, 0}, {'B', 'b', 5000000, 100000000, 0}},
                 {"batch 0 0 20000000 0", "batch 0 0 5000000 0"}},
        Scenario{"SameValuesTwiceReachTheDriverOnce",
                 {{'A', 'b', 20000000, 0, 0}, {'A', 'b', 20000000, 0, 0}},
                 {"batch 0 0 20000000 0"}},
        Scenario{"ActivateWithoutBatchLeavesSensorOff", {{'A', 'a', 1, 0, 0}}, {}},
        // B's request exists, so A is not the first: the hardware stays as it is.
        Scenario{"PendingRequestOfAnotherClient",
                 {{'B', 'b', 20000000, 0, 0}, {'A', 'b', 20000000, 0, 0}, {'A', 'a', 1, 0, 0}},
                 {"batch 0 0 20000000 0"}},
        Scenario{"LastClientOffSwitchesOff",
                 {{'A', 'b', 20000000, 0, 0},
                  {'A', 'a', 1, 0, 0},
                  {'B', 'b', 10000000, 0, 0},
                  {'B', 'a', 1, 0, 0},
                  {'A', 'a', 0, 0, 0},
                  {'B', 'a', 0, 0, 0}},
                 {"batch 0 0 20000000 0", "enable 0 1", "batch 0 0 10000000 0",
                  "batch 0 0 10000000 0", "enable 0 0"}},
        Scenario{"DeactivateWithoutRequestDoesNothing", {{'A', 'a', 0, 0, 0}}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Manager, ClampingIsLogged) {
  kv::LogCapture capture;
  manager_->batch(a_, 0, 1000000, 0);
  EXPECT_TRUE(capture.contains(ANDROID_LOG_INFO, "SensorManager",
                               "Correct mindelay: 1000000 to avoid invalid sampling timer setting\n"));
  manager_->activate(b_, 0, true);
  EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "SensorManager",
                               "\tactivate >>>ERROR: activate called without batch"));
}

TEST_F(Manager, UnknownSensorFails) {
  kv::LogCapture capture;
  EXPECT_EQ(manager_->batch(a_, 50, 1000, 0), -1);
  EXPECT_EQ(manager_->activate(a_, 50, true), -1);
  EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "SensorManager",
                               "\tbatch >>>ERROR: handle: 50 not found, sensor may load fail"));
  EXPECT_TRUE(capture.contains(ANDROID_LOG_ERROR, "SensorManager",
                               "\tactivate >>>ERROR: handle: 50 not found, sensor may load fail"));
}

TEST_F(Manager, HardwareFailureWithdrawsTheRequest) {
  fakes_[0]->batchResult = -5;
  EXPECT_EQ(manager_->batch(a_, 0, 20000000, 0), -5);
  SensorManager::BatchParams best;
  ASSERT_TRUE(manager_->bestBatchParams(0, &best));
  EXPECT_EQ(best.batchDelay, -1);
  fakes_[0]->batchResult = 0;
  fakes_[0]->enableResult = -1;
  manager_->batch(a_, 0, 20000000, 0);
  EXPECT_EQ(manager_->activate(a_, 0, true), -1);
  ASSERT_TRUE(manager_->bestBatchParams(0, &best));
  EXPECT_EQ(best.batchDelay, -1);  // the failed activation took its request along
}

TEST_F(Manager, RemovedConnectionLeavesNoRequestBehind) {
  SensorConnection* c = manager_->createSensorConnection(15);
  manager_->batch(c, 0, 5000000, 0);
  manager_->removeSensorConnection(c);
  SensorManager::BatchParams best;
  ASSERT_TRUE(manager_->bestBatchParams(0, &best));
  EXPECT_EQ(best.batchDelay, -1);
  // A client that now batches slower is the only request: its period is used.
  fakes_[0]->takeCalls();
  manager_->batch(a_, 0, 20000000, 0);
  EXPECT_EQ(fakes_[0]->takeCalls(), std::vector<std::string>{"batch 0 0 20000000 0"});
}

TEST_F(Manager, SecondSensorListResetsRequestsAndSwitchesOff) {
  manager_->batch(a_, 0, 20000000, 0);
  const sensor_t* list;
  size_t n = SensorList::getInstance()->getSensorList(&list);
  manager_->addSensorsList(list, n);
  EXPECT_EQ(fakes_[0]->takeCalls().back(), "enable 0 0");
  SensorManager::BatchParams best;
  ASSERT_TRUE(manager_->bestBatchParams(0, &best));
  EXPECT_EQ(best.batchDelay, -1);
}

TEST_F(Manager, DistributesEventsToTheirClients) {
  SensorConnection* internal = manager_->createSensorConnection(12);
  manager_->batch(a_, 0, 20000000, 0);
  manager_->activate(a_, 0, true);
  manager_->batch(internal, 4, 20000000, 0);  // light, sensor id 4
  manager_->activate(internal, 4, true);

  sensors_event_t in[4] = {};
  in[0].sensor = 1, in[0].type = 1;  // accelerometer: native
  in[1].sensor = 5, in[1].type = 5;  // light: internal only
  in[2].type = 0, in[2].meta_data.sensor = 4, in[2].meta_data.what = 1;  // flush answer
  in[3].sensor = 6, in[3].type = 6;  // pressure: nobody
  sensors_event_t out[4];
  EXPECT_EQ(manager_->parsePollData(out, in, 4), 2);
  EXPECT_EQ(out[0].sensor, 1);
  EXPECT_EQ(out[1].type, 0);  // flush answers reach the framework even unasked
  ASSERT_EQ(fakes_[12]->received.size(), 1u);
  EXPECT_EQ(fakes_[12]->received[0].sensor, 4);  // internal clients see sensor ids
  manager_->removeSensorConnection(internal);
}

TEST_F(Manager, PollReturnsOnlyWhenTheFrameworkHasEvents) {
  manager_->batch(a_, 0, 20000000, 0);
  manager_->activate(a_, 0, true);
  fakes_[5]->push(5, 3);  // pressure: not asked for, swallowed
  fakes_[0]->push(0, 2);
  sensors_event_t out[200];
  int n = manager_->pollEvent(out, 200);  // capped at 128 per call
  EXPECT_EQ(n, 2);
  EXPECT_EQ(out[0].sensor, 1);
}

}  // namespace
