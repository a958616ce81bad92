// android::Thread: a reference-counted object that runs threadLoop() on a
// thread of its own until threadLoop returns false or an exit is requested.
//
// While it runs, the thread holds a strong reference to the object, taken by
// run(); between two threadLoop calls it keeps only a weak one, so dropping the
// last outside reference lets the thread end and the object go.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <sys/types.h>

#include <utils/Condition.h>
#include <utils/Errors.h>
#include <utils/Mutex.h>
#include <utils/RefBase.h>
#include <utils/ThreadDefs.h>

namespace android {

class Thread : virtual public RefBase {
 public:
  // canCallJava has no meaning on this platform and is ignored.
  explicit Thread(bool canCallJava = true);
  ~Thread() override;

  // Starts the thread, named name (cut to 15 characters), with the nice value
  // priority and a stack of stack bytes (0: the default). INVALID_OPERATION
  // if it is already running, UNKNOWN_ERROR if no thread could be created.
  virtual status_t run(const char* name, int32_t priority = PRIORITY_DEFAULT, size_t stack = 0);

  // Asks the thread to stop after the current threadLoop; does not wait.
  virtual void requestExit();

  // Called once on the new thread before the first threadLoop; any result
  // other than NO_ERROR ends the thread and becomes its exit status.
  virtual status_t readyToRun();

  // requestExit, then wait for the thread to end; gives the status of
  // readyToRun. WOULD_BLOCK when called from the thread itself.
  status_t requestExitAndWait();
  // Waits for the thread to end without asking it to; as above.
  status_t join();
  bool isRunning() const;
  // The kernel thread id while running, -1 otherwise.
  pid_t getTid() const;

 protected:
  bool exitPending() const;

 private:
  // Called again while it returns true and no exit was requested.
  virtual bool threadLoop() = 0;

  struct StartInfo;
  static void* threadEntry(void* arg);
  static void runLoop(sp<Thread> strong);
  status_t waitForExit(bool requestExit);

  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  mutable Mutex mLock;
  mutable Condition mStateChanged;  // the thread published its id, or ended
  status_t mStatus;
  bool mExitPending;
  bool mRunning;
  sp<Thread> mHoldSelf;  // run()'s reference, handed over to the new thread
  pid_t mTid;
};

}  // namespace android
