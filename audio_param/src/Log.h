// Messages of the library: tag "ParamVault-vnd", filtered by appDebugLevel.
#pragma once

#include <android/log.h>

#include <paramvault/AppHandle.h>

#define PV_LOG_TAG "ParamVault-vnd"

// Level-checked messages: debug shows at level <= 0, info <= 1, warning <= 2, error <= 3.
#define PV_LOG_AT(minLevel, prio, ...)                          \
  do {                                                          \
    if (__atomic_load_n(&appDebugLevel, __ATOMIC_RELAXED) <= (minLevel)) {                          \
      __android_log_print((prio), PV_LOG_TAG, __VA_ARGS__);     \
    }                                                           \
  } while (0)

#define DEBUG_LOG(...) PV_LOG_AT(0, ANDROID_LOG_DEBUG, __VA_ARGS__)
#define INFO_LOG(...) PV_LOG_AT(1, ANDROID_LOG_INFO, __VA_ARGS__)
#define WARN_LOG(...) PV_LOG_AT(2, ANDROID_LOG_WARN, __VA_ARGS__)
#define ERR_LOG(...) PV_LOG_AT(3, ANDROID_LOG_ERROR, __VA_ARGS__)
// The few messages written at debug priority whatever the level.
#define ALOGD_ALWAYS(...) __android_log_print(ANDROID_LOG_DEBUG, PV_LOG_TAG, __VA_ARGS__)

// Caller names recorded by the locks are read by waiting threads for their messages.
inline const char* pvLoadName(const char* const* slot) { return __atomic_load_n(slot, __ATOMIC_RELAXED); }
inline void pvStoreName(const char** slot, const char* name) { __atomic_store_n(slot, name, __ATOMIC_RELAXED); }
