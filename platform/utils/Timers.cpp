// systemTime: the SYSTEM_TIME_* clocks mapped to clock_gettime.
#include <utils/Timers.h>

#include <time.h>

extern "C" nsecs_t systemTime(int clock) {
  static const clockid_t kClocks[] = {
      CLOCK_REALTIME,            // SYSTEM_TIME_REALTIME
      CLOCK_MONOTONIC,           // SYSTEM_TIME_MONOTONIC
      CLOCK_PROCESS_CPUTIME_ID,  // SYSTEM_TIME_PROCESS
      CLOCK_THREAD_CPUTIME_ID,   // SYSTEM_TIME_THREAD
      CLOCK_BOOTTIME,            // SYSTEM_TIME_BOOTTIME
  };
  if (clock < 0 || clock >= static_cast<int>(sizeof kClocks / sizeof kClocks[0])) return 0;
  timespec t = {0, 0};
  clock_gettime(kClocks[clock], &t);
  return seconds_to_nanoseconds(t.tv_sec) + t.tv_nsec;
}
