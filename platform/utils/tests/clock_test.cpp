#include <gtest/gtest.h>
#include <time.h>

#include <utils/SystemClock.h>
#include <utils/Timers.h>

extern "C" nsecs_t kv_timers_monotonic_from_c(void);

namespace android {
namespace {

int64_t nowNs(clockid_t clock) {
  timespec ts;
  clock_gettime(clock, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Each reading must fall between two readings of the clock it claims to use;
// a reading of another clock falls outside (the clocks differ by boot time,
// suspend time or the epoch).
TEST(ClockTest, EachFunctionReadsItsClock) {
  const struct {
    const char* what;
    clockid_t clock;
    int64_t unit;  // ns per unit of the result
    int64_t (*read)();
  } cases[] = {
      {"systemTime(REALTIME)", CLOCK_REALTIME, 1, [] { return systemTime(SYSTEM_TIME_REALTIME); }},
      {"systemTime()", CLOCK_MONOTONIC, 1, [] { return systemTime(); }},
      {"systemTime(BOOTTIME)", CLOCK_BOOTTIME, 1, [] { return systemTime(SYSTEM_TIME_BOOTTIME); }},
      {"systemTime(THREAD)", CLOCK_THREAD_CPUTIME_ID, 1,
       [] { return systemTime(SYSTEM_TIME_THREAD); }},
      {"elapsedRealtimeNano", CLOCK_BOOTTIME, 1, [] { return elapsedRealtimeNano(); }},
      {"elapsedRealtime", CLOCK_BOOTTIME, 1000000, [] { return elapsedRealtime(); }},
      {"uptimeMillis", CLOCK_MONOTONIC, 1000000, [] { return uptimeMillis(); }},
      {"systemTime from C", CLOCK_MONOTONIC, 1, [] { return kv_timers_monotonic_from_c(); }},
  };
  for (const auto& c : cases) {
    int64_t before = nowNs(c.clock) / c.unit;
    int64_t value = c.read();
    int64_t after = nowNs(c.clock) / c.unit;
    EXPECT_LE(before, value) << c.what;
    EXPECT_LE(value, after) << c.what;
  }
}

TEST(ClockTest, UnknownClockReadsZero) {
  EXPECT_EQ(systemTime(5), 0);
  EXPECT_EQ(systemTime(-1), 0);
}

}  // namespace
}  // namespace android
