// A pthread reader/writer lock with scoped read and write holders.
#pragma once

#include <pthread.h>

#include <utils/Errors.h>

namespace android {

class RWLock {
 public:
  enum {
    PRIVATE = 0,
    SHARED = 1,
  };

  RWLock() { pthread_rwlock_init(&mRWLock, nullptr); }
  explicit RWLock(const char* /*name*/) : RWLock() {}
  explicit RWLock(int type, const char* /*name*/ = nullptr) {
    if (type == SHARED) {
      pthread_rwlockattr_t attr;
      pthread_rwlockattr_init(&attr);
      pthread_rwlockattr_setpshared(&attr, PTHREAD_PROCESS_SHARED);
      pthread_rwlock_init(&mRWLock, &attr);
      pthread_rwlockattr_destroy(&attr);
    } else {
      pthread_rwlock_init(&mRWLock, nullptr);
    }
  }
  ~RWLock() { pthread_rwlock_destroy(&mRWLock); }

  RWLock(const RWLock&) = delete;
  RWLock& operator=(const RWLock&) = delete;

  status_t readLock() { return -pthread_rwlock_rdlock(&mRWLock); }
  status_t tryReadLock() { return -pthread_rwlock_tryrdlock(&mRWLock); }
  status_t writeLock() { return -pthread_rwlock_wrlock(&mRWLock); }
  status_t tryWriteLock() { return -pthread_rwlock_trywrlock(&mRWLock); }
  void unlock() { pthread_rwlock_unlock(&mRWLock); }

  class AutoRLock {
   public:
    explicit AutoRLock(RWLock& rwlock) : mLock(rwlock) { mLock.readLock(); }
    ~AutoRLock() { mLock.unlock(); }
    AutoRLock(const AutoRLock&) = delete;
    AutoRLock& operator=(const AutoRLock&) = delete;

   private:
    RWLock& mLock;
  };

  class AutoWLock {
   public:
    explicit AutoWLock(RWLock& rwlock) : mLock(rwlock) { mLock.writeLock(); }
    ~AutoWLock() { mLock.unlock(); }
    AutoWLock(const AutoWLock&) = delete;
    AutoWLock& operator=(const AutoWLock&) = delete;

   private:
    RWLock& mLock;
  };

 private:
  pthread_rwlock_t mRWLock;
};

}  // namespace android
