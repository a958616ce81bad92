// Android's system clocks: uptime (monotonic, stops in suspend) and elapsed
// realtime (CLOCK_BOOTTIME, counts suspend), the time base of sensor events.
#pragma once

#include <stdint.h>

namespace android {

int64_t uptimeMillis();
int64_t elapsedRealtime();      // milliseconds since boot
int64_t elapsedRealtimeNano();  // nanoseconds since boot

}  // namespace android
