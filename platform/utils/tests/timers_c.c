/* Timers.h is used from C as well; this file only has to compile as C. */
#include <utils/Timers.h>

nsecs_t kv_timers_monotonic_from_c(void);

nsecs_t kv_timers_monotonic_from_c(void) { return systemTime(SYSTEM_TIME_MONOTONIC) + ms2ns(0); }
