// The message filter and the build time stamp.
#include <stdlib.h>

#include <cutils/properties.h>

#include "Log.h"

extern "C" {

int appDebugLevel = 2;

int getDebugLevel(void) {
  // Property values are at most PROPERTY_VALUE_MAX bytes; the buffer is larger.
  char level[512];
  property_get("vendor.audio.applog.level", level, "-1");
  int value = atoi(level);
  ALOGD_ALWAYS("%s(), debug level = %d", __FUNCTION__, value);
  return value == -1 ? __atomic_load_n(&appDebugLevel, __ATOMIC_RELAXED) : value;
}

void appSetDebugLevel(int level) {
  INFO_LOG("%s(), appSetDebugLevel(), level = %d\n", __FUNCTION__, level);
  __atomic_store_n(&appDebugLevel, level, __ATOMIC_RELAXED);
}

int appGetDebugLevel(void) {
  int level = __atomic_load_n(&appDebugLevel, __ATOMIC_RELAXED);
  INFO_LOG("%s(), appGetDebugLevel(), level = %d\n", __FUNCTION__, level);
  return level;
}

const char* appHandleGetBuildTimeStamp(void) {
  // __DATE__ is "Mmm dd yyyy" with the day padded by a blank, as the format wants.
  static const char stamp[] = __DATE__ " " __TIME__;
  return stamp;
}

}  // extern "C"
