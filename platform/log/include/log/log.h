/* ALOGx macros over liblog. Define LOG_TAG before including. */
#ifndef KV_LOG_LOG_H
#define KV_LOG_LOG_H

#include <android/log.h>

#ifndef LOG_TAG
#define LOG_TAG NULL
#endif

/* Verbose messages are compiled out unless LOG_NDEBUG is 0, as on Android. */
#ifndef LOG_NDEBUG
#ifdef NDEBUG
#define LOG_NDEBUG 1
#else
#define LOG_NDEBUG 0
#endif
#endif

#define ALOG(prio, tag, ...) __android_log_print(ANDROID_##prio, tag, __VA_ARGS__)

#if LOG_NDEBUG
#define ALOGV(...) ((void)0)
#else
#define ALOGV(...) ((void)ALOG(LOG_VERBOSE, LOG_TAG, __VA_ARGS__))
#endif
#define ALOGD(...) ((void)ALOG(LOG_DEBUG, LOG_TAG, __VA_ARGS__))
#define ALOGI(...) ((void)ALOG(LOG_INFO, LOG_TAG, __VA_ARGS__))
#define ALOGW(...) ((void)ALOG(LOG_WARN, LOG_TAG, __VA_ARGS__))
#define ALOGE(...) ((void)ALOG(LOG_ERROR, LOG_TAG, __VA_ARGS__))

#define ALOGD_IF(cond, ...) ((cond) ? (void)ALOGD(__VA_ARGS__) : (void)0)
#define ALOGI_IF(cond, ...) ((cond) ? (void)ALOGI(__VA_ARGS__) : (void)0)
#define ALOGW_IF(cond, ...) ((cond) ? (void)ALOGW(__VA_ARGS__) : (void)0)
#define ALOGE_IF(cond, ...) ((cond) ? (void)ALOGE(__VA_ARGS__) : (void)0)

#define LOG_ALWAYS_FATAL(...) __android_log_assert(NULL, LOG_TAG, __VA_ARGS__)
#define LOG_ALWAYS_FATAL_IF(cond, ...) \
  ((cond) ? __android_log_assert(#cond, LOG_TAG, __VA_ARGS__) : (void)0)
#define ALOG_ASSERT(cond, ...) LOG_ALWAYS_FATAL_IF(!(cond), __VA_ARGS__)

#endif
