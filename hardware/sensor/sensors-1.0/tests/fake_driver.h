// A driver that records what the poll context and the manager ask of it and
// delivers the events a test queues, becoming readable through a pipe.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "SensorBase.h"
#include "SensorContext.h"

class FakeDriver : public SensorBase {
 public:
  explicit FakeDriver(int index) : mIndex(index) {
    if (pipe2(mPipe, O_NONBLOCK | O_CLOEXEC) != 0) mPipe[0] = mPipe[1] = -1;
  }
  ~FakeDriver() override {
    close(mPipe[0]);
    close(mPipe[1]);
  }

  int readEvents(sensors_event_t* data, int count) override {
    std::lock_guard<std::mutex> lock(mLock);
    shares.push_back(count);
    char drain[64];
    while (read(mPipe[0], drain, sizeof drain) > 0) {
    }
    if (forcedResult != kNoForcedResult) {
      int r = forcedResult;
      forcedResult = kNoForcedResult;
      return r;
    }
    int n = 0;
    while (n < count && !mQueue.empty()) {
      data[n++] = mQueue.front();
      mQueue.pop_front();
    }
    if (!mQueue.empty()) write(mPipe[1], "x", 1);
    return n;
  }
  int getFd() override { return mPipe[0]; }
  int enable(int32_t id, int en) override {
    return record("enable " + std::to_string(id) + " " + std::to_string(en), enableResult);
  }
  int batch(int id, int flags, int64_t period, int64_t latency) override {
    return record("batch " + std::to_string(id) + " " + std::to_string(flags) + " " +
                      std::to_string(period) + " " + std::to_string(latency),
                  batchResult);
  }
  int flush(int id) override { return record("flush " + std::to_string(id), 0); }
  int setEvent(sensors_event_t* e) override {
    std::lock_guard<std::mutex> lock(mLock);
    received.push_back(*e);
    return 0;
  }
  bool pendingEvent() override { return usePending && hasQueued(); }

  // Queues events of a sensor id (sensor field = id, as drivers produce them).
  void push(int sensorId, int n, int type = 1) {
    std::lock_guard<std::mutex> lock(mLock);
    for (int i = 0; i < n; ++i) {
      sensors_event_t e{};
      e.version = sizeof e;
      e.sensor = sensorId;
      e.type = type;
      e.timestamp = ++mStamp;
      e.data[0] = static_cast<float>(mIndex);
      if (type == 0) {
        e.sensor = 0;
        e.meta_data.what = 1;
        e.meta_data.sensor = sensorId;
      }
      mQueue.push_back(e);
    }
    write(mPipe[1], "x", 1);
  }
  bool hasQueued() {
    std::lock_guard<std::mutex> lock(mLock);
    return !mQueue.empty();
  }
  std::vector<std::string> takeCalls() {
    std::lock_guard<std::mutex> lock(mLock);
    auto c = calls;
    calls.clear();
    return c;
  }

  static constexpr int kNoForcedResult = 1 << 30;
  std::vector<int> shares;
  std::vector<sensors_event_t> received;
  std::vector<std::string> calls;
  int forcedResult = kNoForcedResult;
  int enableResult = 0;
  int batchResult = 0;
  bool usePending = false;

 private:
  int record(const std::string& call, int result) {
    std::lock_guard<std::mutex> lock(mLock);
    calls.push_back(call);
    return result;
  }
  int mIndex;
  int mPipe[2];
  int64_t mStamp = 0;
  std::mutex mLock;
  std::deque<sensors_event_t> mQueue;
};

// Installs fake drivers in every slot while it lives.
class FakeDrivers {
 public:
  FakeDrivers() {
    sInstance = this;
    sensors_poll_context_t::sDriverFactory = [](int index, bool) -> SensorBase* {
      return sInstance->drivers[index] = new FakeDriver(index);
    };
  }
  ~FakeDrivers() {
    sensors_poll_context_t::sDriverFactory = sensors_poll_context_t::createDefaultDriver;
    sInstance = nullptr;
  }
  FakeDriver* operator[](int index) { return drivers[index]; }
  FakeDriver* drivers[kDriverCount] = {};

 private:
  static inline FakeDrivers* sInstance = nullptr;
};
