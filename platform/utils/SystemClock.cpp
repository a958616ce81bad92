// Uptime and elapsed realtime from the kernel clocks.
#include <utils/SystemClock.h>

#include <utils/Timers.h>

namespace android {

int64_t uptimeMillis() { return nanoseconds_to_milliseconds(systemTime(SYSTEM_TIME_MONOTONIC)); }

int64_t elapsedRealtime() { return nanoseconds_to_milliseconds(elapsedRealtimeNano()); }

int64_t elapsedRealtimeNano() { return systemTime(SYSTEM_TIME_BOOTTIME); }

}  // namespace android
