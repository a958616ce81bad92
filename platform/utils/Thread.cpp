// android::Thread on pthreads: a detached thread that owns a strong reference
// to its object while it is inside readyToRun/threadLoop.
#define LOG_TAG "libutils.threads"

#include <utils/Thread.h>

#include <limits.h>
#include <pthread.h>
#include <string.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include <log/log.h>

namespace android {

// What the new thread needs before it can touch the object.
struct Thread::StartInfo {
  Thread* self;
  char name[16];  // the kernel keeps 15 characters of a thread name
  int32_t priority;
};

Thread::Thread(bool /*canCallJava*/)
    : mStatus(NO_ERROR),
      mExitPending(false),
      mRunning(false),
      mTid(-1) {}

Thread::~Thread() = default;

status_t Thread::readyToRun() { return NO_ERROR; }

status_t Thread::run(const char* name, int32_t priority, size_t stack) {
  // A failed start drops run()'s reference only after mLock is released: it
  // may be the last one.
  sp<Thread> dropAfterUnlock;
  Mutex::Autolock _l(mLock);
  if (mRunning) return INVALID_OPERATION;

  mStatus = NO_ERROR;
  mExitPending = false;
  mTid = -1;
  mHoldSelf = this;
  mRunning = true;

  std::unique_ptr<StartInfo> info(new StartInfo());
  info->self = this;
  if (!name) name = "";
  size_t len = strnlen(name, sizeof info->name - 1);
  memcpy(info->name, name, len);
  info->name[len] = '\0';
  info->priority = priority;

  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
  if (stack != 0) pthread_attr_setstacksize(&attr, std::max(stack, size_t(PTHREAD_STACK_MIN)));
  pthread_t thread;
  int err = pthread_create(&thread, &attr, threadEntry, info.get());
  pthread_attr_destroy(&attr);
  if (err != 0) {
    ALOGE("Thread %p: cannot start thread \"%s\" (priority %d): %s", this, name,
          static_cast<int>(priority), strerror(err));
    mStatus = UNKNOWN_ERROR;
    mRunning = false;
    dropAfterUnlock = std::move(mHoldSelf);
    return UNKNOWN_ERROR;
  }
  info.release();  // the new thread owns it now
  // NO_ERROR only says that the thread started; readyToRun may still fail.
  return NO_ERROR;
}

void* Thread::threadEntry(void* arg) {
  std::unique_ptr<StartInfo> info(static_cast<StartInfo*>(arg));
  pthread_setname_np(pthread_self(), info->name);
  // Nice values below 0 need privileges the host usually lacks; the thread
  // then keeps the default priority, which changes timing only.
  if (info->priority != PRIORITY_DEFAULT) setpriority(PRIO_PROCESS, gettid(), info->priority);

  Thread* const self = info->self;
  sp<Thread> strong;
  {
    Mutex::Autolock _l(self->mLock);
    strong = std::move(self->mHoldSelf);
    self->mTid = gettid();
    self->mStateChanged.broadcast();
  }
  info.reset();
  runLoop(std::move(strong));
  return nullptr;
}

void Thread::runLoop(sp<Thread> strong) {
  wp<Thread> weak(strong);
  bool first = true;
  for (;;) {
    Thread* const self = strong.get();
    bool result;
    if (first) {
      first = false;
      status_t status = self->readyToRun();
      {
        Mutex::Autolock _l(self->mLock);
        self->mStatus = status;
      }
      result = status == NO_ERROR;
      if (result && !self->exitPending()) result = self->threadLoop();
    } else {
      result = self->threadLoop();
    }

    {
      Mutex::Autolock _l(self->mLock);
      if (!result || self->mExitPending) {
        self->mExitPending = true;
        self->mRunning = false;
        self->mTid = -1;
        self->mStateChanged.broadcast();
        break;  // strong goes after the unlock
      }
    }

    // Between two loops only a weak reference is kept: if nobody else holds
    // the object any more it is destroyed here and the thread ends.
    strong.clear();
    strong = weak.promote();
    if (strong == nullptr) break;
  }
}

void Thread::requestExit() {
  Mutex::Autolock _l(mLock);
  mExitPending = true;
}

status_t Thread::waitForExit(bool requestExit) {
  Mutex::Autolock _l(mLock);
  if (mTid == gettid()) {
    ALOGW("Thread %p: waiting for its own exit on its own thread would deadlock", this);
    return WOULD_BLOCK;
  }
  if (requestExit) mExitPending = true;
  while (mRunning) mStateChanged.wait(mLock);
  // The request is answered; the object may be run() again.
  if (requestExit) mExitPending = false;
  return mStatus;
}

status_t Thread::requestExitAndWait() { return waitForExit(true); }

status_t Thread::join() { return waitForExit(false); }

bool Thread::isRunning() const {
  Mutex::Autolock _l(mLock);
  return mRunning;
}

pid_t Thread::getTid() const {
  Mutex::Autolock _l(mLock);
  // A thread just started publishes its id first thing; wait for it.
  while (mRunning && mTid == -1) mStateChanged.wait(mLock);
  return mRunning ? mTid : -1;
}

bool Thread::exitPending() const {
  Mutex::Autolock _l(mLock);
  return mExitPending;
}

}  // namespace android
