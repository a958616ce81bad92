// A condition variable on CLOCK_MONOTONIC, used together with a Mutex.
#pragma once

#include <pthread.h>
#include <time.h>

#include <utils/Errors.h>
#include <utils/Mutex.h>
#include <utils/Timers.h>

namespace android {

class Condition {
 public:
  enum {
    PRIVATE = 0,
    SHARED = 1,
  };
  enum WakeUpType {
    WAKE_UP_ONE = 0,
    WAKE_UP_ALL = 1,
  };

  Condition() : Condition(PRIVATE) {}
  explicit Condition(int type) {
    pthread_condattr_t attr;
    pthread_condattr_init(&attr);
    pthread_condattr_setclock(&attr, CLOCK_MONOTONIC);
    if (type == SHARED) pthread_condattr_setpshared(&attr, PTHREAD_PROCESS_SHARED);
    pthread_cond_init(&mCond, &attr);
    pthread_condattr_destroy(&attr);
  }
  ~Condition() { pthread_cond_destroy(&mCond); }

  Condition(const Condition&) = delete;
  Condition& operator=(const Condition&) = delete;

  // The caller holds mutex; it is released while waiting and held again on return.
  status_t wait(Mutex& mutex) { return -pthread_cond_wait(&mCond, &mutex.mMutex); }

  // Waits at most reltime ns; TIMED_OUT when that passes without a signal. Very
  // long waits saturate at the end of the clock's range.
  status_t waitRelative(Mutex& mutex, nsecs_t reltime) {
    timespec ts = utils_detail::deadlineAfter(CLOCK_MONOTONIC, reltime);
    return -pthread_cond_timedwait(&mCond, &mutex.mMutex, &ts);
  }

  void signal() { pthread_cond_signal(&mCond); }
  void signal(WakeUpType type) {
    if (type == WAKE_UP_ONE)
      signal();
    else
      broadcast();
  }
  void broadcast() { pthread_cond_broadcast(&mCond); }

 private:
  pthread_cond_t mCond;
};

}  // namespace android
