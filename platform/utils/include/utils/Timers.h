/* Nanosecond time values and the system clocks. Usable from C. */
#ifndef KV_UTILS_TIMERS_H
#define KV_UTILS_TIMERS_H

#include <stdint.h>
#include <sys/types.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int64_t nsecs_t; /* nanoseconds */

static inline nsecs_t seconds_to_nanoseconds(nsecs_t secs) { return secs * 1000000000; }
static inline nsecs_t milliseconds_to_nanoseconds(nsecs_t ms) { return ms * 1000000; }
static inline nsecs_t microseconds_to_nanoseconds(nsecs_t us) { return us * 1000; }
static inline nsecs_t nanoseconds_to_seconds(nsecs_t ns) { return ns / 1000000000; }
static inline nsecs_t nanoseconds_to_milliseconds(nsecs_t ns) { return ns / 1000000; }
static inline nsecs_t nanoseconds_to_microseconds(nsecs_t ns) { return ns / 1000; }

static inline nsecs_t s2ns(nsecs_t v) { return seconds_to_nanoseconds(v); }
static inline nsecs_t ms2ns(nsecs_t v) { return milliseconds_to_nanoseconds(v); }
static inline nsecs_t us2ns(nsecs_t v) { return microseconds_to_nanoseconds(v); }
static inline nsecs_t ns2s(nsecs_t v) { return nanoseconds_to_seconds(v); }
static inline nsecs_t ns2ms(nsecs_t v) { return nanoseconds_to_milliseconds(v); }
static inline nsecs_t ns2us(nsecs_t v) { return nanoseconds_to_microseconds(v); }

static inline nsecs_t seconds(nsecs_t v) { return s2ns(v); }
static inline nsecs_t milliseconds(nsecs_t v) { return ms2ns(v); }
static inline nsecs_t microseconds(nsecs_t v) { return us2ns(v); }

enum {
  SYSTEM_TIME_REALTIME = 0,  /* wall clock */
  SYSTEM_TIME_MONOTONIC = 1, /* monotonic, stops in suspend */
  SYSTEM_TIME_PROCESS = 2,   /* CPU time of the process */
  SYSTEM_TIME_THREAD = 3,    /* CPU time of the calling thread */
  SYSTEM_TIME_BOOTTIME = 4   /* monotonic, counts suspend */
};

/* The clock's current time in nanoseconds; 0 for an unknown clock. */
#ifdef __cplusplus
nsecs_t systemTime(int clock = SYSTEM_TIME_MONOTONIC);
#else
nsecs_t systemTime(int clock);
#endif

#ifdef __cplusplus
}
#endif

#endif
