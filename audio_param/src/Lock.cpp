// The instance lock and the handle lock: try-lock loops with a 1 us pause, each
// success recording the caller's name for the messages of waiting threads.
#include <unistd.h>

#include "Log.h"

namespace {
pthread_rwlock_t appHandleInstLock = PTHREAD_RWLOCK_INITIALIZER;
const char* appHandleInstLocker = nullptr;
}  // namespace

extern "C" {

int appHandleInstWriteLock(const char* callerFun) {
  while (pthread_rwlock_trywrlock(&appHandleInstLock) != 0) {
    DEBUG_LOG("%s(), Cannot lock the appHandleInstLock, delay some time. (the locker is %s)\n",
              __FUNCTION__, pvLoadName(&appHandleInstLocker));
    usleep(1);
  }
  pvStoreName(&appHandleInstLocker, callerFun);
  DEBUG_LOG("%s(), %s acquired the appHandleInstLock\n", __FUNCTION__, callerFun);
  return 0;
}

int appHandleInstUnlock(void) {
  DEBUG_LOG("%s(), Unlock appHandleInst lock\n", __FUNCTION__);
  pthread_rwlock_unlock(&appHandleInstLock);
  return 0;
}

static int appHandleLock(AppHandle* appHandle, const char* callerFun, const char* fun, bool write) {
  if (appHandle == nullptr) {
    WARN_LOG("%s(), appHandle is NULL\n", fun);
    return 0;
  }
  while ((write ? pthread_rwlock_trywrlock(&appHandle->lock)
                : pthread_rwlock_tryrdlock(&appHandle->lock)) != 0) {
    DEBUG_LOG("%s(), Cannot lock the AppHandle lock, delay some time. (the locker is %s())\n", fun,
              pvLoadName(&appHandle->lockCallerFun));
    usleep(1);
  }
  pvStoreName(&appHandle->lockCallerFun, callerFun);
  DEBUG_LOG("%s(), AppHandle lock is locked by %s()\n", fun, callerFun);
  return 0;
}

int appHandleWriteLock(AppHandle* appHandle, const char* callerFun) {
  return appHandleLock(appHandle, callerFun, __FUNCTION__, true);
}

int appHandleReadLock(AppHandle* appHandle, const char* callerFun) {
  return appHandleLock(appHandle, callerFun, __FUNCTION__, false);
}

int appHandleUnlock(AppHandle* appHandle) {
  if (appHandle == nullptr) {
    WARN_LOG("%s(), appHandle is NULL\n", __FUNCTION__);
    return 0;
  }
  DEBUG_LOG("%s(), Unlock appHandle lock\n", __FUNCTION__);
  return pthread_rwlock_unlock(&appHandle->lock);
}

}  // extern "C"
