// A pthread mutex with Android's interface and the scoped Autolock.
#pragma once

#include <pthread.h>
#include <stdint.h>
#include <time.h>

#include <limits>

#include <utils/Errors.h>
#include <utils/Timers.h>

namespace android {

class Condition;

namespace utils_detail {

// The clock's now + rel ns as an absolute timespec; saturates instead of
// wrapping, so a huge timeout means "wait for ever". Negative rel means now.
inline timespec deadlineAfter(clockid_t clock, nsecs_t rel) {
  timespec now;
  clock_gettime(clock, &now);
  if (rel < 0) rel = 0;
  int64_t sec = static_cast<int64_t>(now.tv_sec);
  int64_t nsec = now.tv_nsec + rel % 1000000000;
  int64_t addSec = rel / 1000000000;
  if (nsec >= 1000000000) {
    nsec -= 1000000000;
    ++addSec;
  }
  timespec ts;
  if (__builtin_add_overflow(sec, addSec, &sec) ||
      sec > static_cast<int64_t>(std::numeric_limits<time_t>::max())) {
    ts.tv_sec = std::numeric_limits<time_t>::max();
    ts.tv_nsec = 999999999;
  } else {
    ts.tv_sec = static_cast<time_t>(sec);
    ts.tv_nsec = static_cast<long>(nsec);
  }
  return ts;
}

}  // namespace utils_detail

class Mutex {
 public:
  enum {
    PRIVATE = 0,  // within this process
    SHARED = 1,   // usable from other processes when placed in shared memory
  };

  Mutex() { pthread_mutex_init(&mMutex, nullptr); }
  explicit Mutex(const char* /*name*/) : Mutex() {}
  explicit Mutex(int type, const char* /*name*/ = nullptr) {
    if (type == SHARED) {
      pthread_mutexattr_t attr;
      pthread_mutexattr_init(&attr);
      pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED);
      pthread_mutex_init(&mMutex, &attr);
      pthread_mutexattr_destroy(&attr);
    } else {
      pthread_mutex_init(&mMutex, nullptr);
    }
  }
  ~Mutex() { pthread_mutex_destroy(&mMutex); }

  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;

  status_t lock() { return -pthread_mutex_lock(&mMutex); }
  void unlock() { pthread_mutex_unlock(&mMutex); }
  // 0 when taken, -EBUSY when another thread holds it.
  status_t tryLock() { return -pthread_mutex_trylock(&mMutex); }
  // Waits at most timeoutNs; TIMED_OUT when it expires. The deadline is on
  // CLOCK_REALTIME, the clock of pthread_mutex_timedlock.
  status_t timedLock(nsecs_t timeoutNs) {
    timespec ts = utils_detail::deadlineAfter(CLOCK_REALTIME, timeoutNs);
    return -pthread_mutex_timedlock(&mMutex, &ts);
  }

  // Holds the mutex for the lifetime of the object.
  class Autolock {
   public:
    explicit Autolock(Mutex& mutex) : mLock(mutex) { mLock.lock(); }
    explicit Autolock(Mutex* mutex) : mLock(*mutex) { mLock.lock(); }
    ~Autolock() { mLock.unlock(); }
    Autolock(const Autolock&) = delete;
    Autolock& operator=(const Autolock&) = delete;

   private:
    Mutex& mLock;
  };

 private:
  friend class Condition;
  pthread_mutex_t mMutex;
};

typedef Mutex::Autolock AutoMutex;

}  // namespace android
