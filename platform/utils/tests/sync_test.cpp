#include <gtest/gtest.h>

#include <stdint.h>

#include <atomic>
#include <thread>
#include <vector>

#include <utils/Condition.h>
#include <utils/Mutex.h>
#include <utils/RWLock.h>
#include <utils/Singleton.h>

namespace android {
namespace {

// Runs body on another thread and waits for it.
template <typename F>
void onOtherThread(F body) {
  std::thread t(body);
  t.join();
}

TEST(MutexTest, TryLockSeesAHolderAndAutolockReleases) {
  Mutex m;
  {
    Mutex::Autolock _l(m);
    onOtherThread([&] { EXPECT_EQ(m.tryLock(), -EBUSY); });
  }
  onOtherThread([&] {
    ASSERT_EQ(m.tryLock(), OK);
    m.unlock();
  });
}

TEST(MutexTest, TimedLockGivesUpOnAHeldMutex) {
  Mutex m;
  Mutex::Autolock _l(m);
  onOtherThread([&] { EXPECT_EQ(m.timedLock(ms2ns(1)), TIMED_OUT); });
}

TEST(MutexTest, TimedLockTakesAFreeMutex) {
  Mutex m;
  ASSERT_EQ(m.timedLock(INT64_MAX), OK);  // a deadline that would wrap must not
  m.unlock();
}

TEST(ConditionTest, WaitRelativeTimesOutWithoutASignal) {
  Mutex m;
  Condition c;
  Mutex::Autolock _l(m);
  EXPECT_EQ(c.waitRelative(m, ms2ns(1)), TIMED_OUT);
  EXPECT_EQ(c.waitRelative(m, -1), TIMED_OUT);
  // The mutex is held again on return.
  onOtherThread([&] { EXPECT_EQ(m.tryLock(), -EBUSY); });
}

// A huge timeout saturates instead of wrapping into the past, so the wait
// ends by the signal alone.
TEST(ConditionTest, WaitRelativeWithAHugeTimeoutEndsBySignal) {
  Mutex m;
  Condition c;
  bool ready = false;
  std::thread signaller([&] {
    Mutex::Autolock _l(m);
    ready = true;
    c.signal();
  });
  {
    Mutex::Autolock _l(m);
    while (!ready) ASSERT_EQ(c.waitRelative(m, INT64_MAX), OK);
  }
  signaller.join();
}

TEST(ConditionTest, BroadcastWakesEveryWaiter) {
  constexpr int kWaiters = 3;
  Mutex m;
  Condition c;
  Condition arrived;  // only the test waits on it
  int waiting = 0;
  bool released = false;
  int woken = 0;
  std::vector<std::thread> threads;
  for (int i = 0; i < kWaiters; ++i) {
    threads.emplace_back([&] {
      Mutex::Autolock _l(m);
      ++waiting;
      arrived.signal(Condition::WAKE_UP_ONE);
      while (!released) c.wait(m);
      ++woken;
    });
  }
  {
    Mutex::Autolock _l(m);
    while (waiting < kWaiters) arrived.wait(m);
    released = true;
    c.broadcast();
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(woken, kWaiters);
}

TEST(RWLockTest, ReadersShareAndExcludeWriters) {
  RWLock rw;
  {
    RWLock::AutoRLock r(rw);
    onOtherThread([&] {
      ASSERT_EQ(rw.tryReadLock(), OK);
      rw.unlock();
      EXPECT_EQ(rw.tryWriteLock(), -EBUSY);
    });
  }
  {
    RWLock::AutoWLock w(rw);
    onOtherThread([&] {
      EXPECT_EQ(rw.tryReadLock(), -EBUSY);
      EXPECT_EQ(rw.tryWriteLock(), -EBUSY);
    });
  }
  ASSERT_EQ(rw.tryWriteLock(), OK);
  rw.unlock();
}

class Registry : public Singleton<Registry> {
 public:
  static std::atomic<int> constructed;

 private:
  friend class Singleton<Registry>;
  Registry() { constructed++; }
};
std::atomic<int> Registry::constructed{0};

}  // namespace
}  // namespace android

ANDROID_SINGLETON_STATIC_INSTANCE(android::Registry)

namespace android {
namespace {

TEST(SingletonTest, OneInstanceForAllThreads) {
  if (Registry::constructed == 0) {
    EXPECT_FALSE(Registry::hasInstance());  // asking creates nothing
  }
  std::atomic<Registry*> seen[4] = {};
  std::vector<std::thread> threads;
  for (auto& slot : seen) threads.emplace_back([&slot] { slot = &Registry::getInstance(); });
  for (auto& t : threads) t.join();
  EXPECT_TRUE(Registry::hasInstance());
  EXPECT_EQ(Registry::constructed, 1);
  for (auto& slot : seen) EXPECT_EQ(slot.load(), &Registry::getInstance());
}

}  // namespace
}  // namespace android
