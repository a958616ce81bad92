#include <utils/Thread.h>

#include <gtest/gtest.h>
#include <pthread.h>
#include <unistd.h>

#include <string>
#include <thread>

#include <utils/Condition.h>
#include <utils/Mutex.h>

namespace android {
namespace {

// Shared between a test and its worker; outlives the worker object.
struct Board {
  Mutex lock;
  Condition changed;
  int loops = 0;
  int loopLimit = -1;      // threadLoop returns false after this many; -1: never
  bool gateOpen = true;    // threadLoop waits for it before returning
  bool destroyed = false;
  bool sawExitPending = false;
  status_t readyStatus = NO_ERROR;
  status_t selfWaitResult = OK;
  bool waitForSelf = false;
  pid_t tid = -1;
  std::string name;

  // Waits until pred() holds; no timeout, the test runner's one applies.
  template <typename Pred>
  void await(Pred pred) {
    Mutex::Autolock _l(lock);
    while (!pred()) changed.wait(lock);
  }
};

class Worker : public Thread {
 public:
  explicit Worker(Board* board) : mBoard(board) {}
  ~Worker() override {
    Mutex::Autolock _l(mBoard->lock);
    mBoard->destroyed = true;
    mBoard->changed.broadcast();
  }

 private:
  status_t readyToRun() override {
    char name[32] = {};
    pthread_getname_np(pthread_self(), name, sizeof name);
    Mutex::Autolock _l(mBoard->lock);
    mBoard->name = name;
    mBoard->tid = gettid();
    return mBoard->readyStatus;
  }

  bool threadLoop() override {
    bool waitForSelf;
    {
      Mutex::Autolock _l(mBoard->lock);
      waitForSelf = mBoard->waitForSelf;
    }
    status_t selfWait = waitForSelf ? requestExitAndWait() : OK;
    bool pending = exitPending();
    Mutex::Autolock _l(mBoard->lock);
    mBoard->selfWaitResult = selfWait;
    mBoard->sawExitPending = mBoard->sawExitPending || pending;
    ++mBoard->loops;
    mBoard->changed.broadcast();
    while (!mBoard->gateOpen) mBoard->changed.wait(mBoard->lock);
    return mBoard->loopLimit < 0 || mBoard->loops < mBoard->loopLimit;
  }

  Board* mBoard;
};

class ThreadTest : public ::testing::Test {
 protected:
  // After join() the thread still drops its own reference, so the worker may
  // be destroyed a little later, on its thread: the board must outlive that.
  void TearDown() override {
    if (created) board.await([&] { return board.destroyed; });
  }
  sp<Worker> makeWorker() {
    created = true;
    return new Worker(&board);
  }
  void setGate(bool open) {
    Mutex::Autolock _l(board.lock);
    board.gateOpen = open;
    board.changed.broadcast();
  }
  int loops() {
    Mutex::Autolock _l(board.lock);
    return board.loops;
  }

  Board board;
  bool created = false;
};

TEST_F(ThreadTest, ThreadLoopReturningFalseEndsTheThread) {
  board.loopLimit = 3;
  sp<Worker> w = makeWorker();
  ASSERT_EQ(w->run("worker"), NO_ERROR);
  EXPECT_EQ(w->join(), NO_ERROR);
  EXPECT_EQ(loops(), 3);
  EXPECT_FALSE(w->isRunning());
  EXPECT_EQ(w->getTid(), -1);
}

TEST_F(ThreadTest, ReadyToRunFailureStopsBeforeTheFirstLoop) {
  board.readyStatus = NO_INIT;
  sp<Worker> w = makeWorker();
  ASSERT_EQ(w->run("worker"), NO_ERROR);
  EXPECT_EQ(w->join(), NO_INIT);
  EXPECT_EQ(loops(), 0);
  EXPECT_FALSE(w->isRunning());
}

TEST_F(ThreadTest, RequestExitAndWaitFromAnotherThread) {
  sp<Worker> w = makeWorker();
  ASSERT_EQ(w->run("worker"), NO_ERROR);
  board.await([&] { return board.loops >= 2; });
  status_t result = UNKNOWN_ERROR;
  std::thread stopper([&] { result = w->requestExitAndWait(); });
  stopper.join();
  EXPECT_EQ(result, NO_ERROR);
  EXPECT_FALSE(w->isRunning());
}

TEST_F(ThreadTest, ExitRequestIsSeenInsideThreadLoop) {
  setGate(false);
  sp<Worker> w = makeWorker();
  ASSERT_EQ(w->run("worker"), NO_ERROR);
  board.await([&] { return board.loops == 1; });
  w->requestExit();
  setGate(true);
  EXPECT_EQ(w->join(), NO_ERROR);
  // The loop that was running finished; no further loop started.
  EXPECT_EQ(loops(), 1);
}

TEST_F(ThreadTest, WaitingForItselfFromItsOwnThreadWouldBlock) {
  board.waitForSelf = true;
  board.loopLimit = 1;
  sp<Worker> w = makeWorker();
  ASSERT_EQ(w->run("worker"), NO_ERROR);
  EXPECT_EQ(w->join(), NO_ERROR);
  EXPECT_EQ(board.selfWaitResult, WOULD_BLOCK);
}

TEST_F(ThreadTest, RunningThreadKeepsItsObjectAlive) {
  setGate(false);
  board.loopLimit = 1;
  sp<Worker> w = makeWorker();
  ASSERT_EQ(w->run("worker"), NO_ERROR);
  board.await([&] { return board.loops == 1; });
  w.clear();
  {
    Mutex::Autolock _l(board.lock);
    EXPECT_FALSE(board.destroyed);
  }
  setGate(true);
  board.await([&] { return board.destroyed; });
}

TEST_F(ThreadTest, DroppingTheLastOutsideReferenceEndsALoopingThread) {
  sp<Worker> w = makeWorker();
  ASSERT_EQ(w->run("worker"), NO_ERROR);
  board.await([&] { return board.loops >= 1; });
  w.clear();
  // Between two loops the thread holds only a weak reference.
  board.await([&] { return board.destroyed; });
}

TEST_F(ThreadTest, RunWhileRunningIsRefusedAndAnEndedThreadCanRunAgain) {
  setGate(false);
  board.loopLimit = 1;
  sp<Worker> w = makeWorker();
  ASSERT_EQ(w->run("worker"), NO_ERROR);
  EXPECT_EQ(w->run("worker"), INVALID_OPERATION);
  setGate(true);
  EXPECT_EQ(w->join(), NO_ERROR);

  board.loopLimit = 2;
  ASSERT_EQ(w->run("worker"), NO_ERROR);
  EXPECT_EQ(w->join(), NO_ERROR);
  EXPECT_EQ(loops(), 2);
}

TEST_F(ThreadTest, NameIsCutToFifteenCharactersAndTidIsTheThreads) {
  setGate(false);
  sp<Worker> w = makeWorker();
  EXPECT_EQ(w->getTid(), -1);
  ASSERT_EQ(w->run("PQServiceHALWorker", PRIORITY_DISPLAY, 256 * 1024), NO_ERROR);
  pid_t tid = w->getTid();
  board.await([&] { return board.loops == 1; });
  {
    Mutex::Autolock _l(board.lock);
    EXPECT_EQ(board.name, "PQServiceHALWor");
    EXPECT_EQ(board.tid, tid);
  }
  EXPECT_NE(tid, gettid());
  setGate(true);
  EXPECT_EQ(w->requestExitAndWait(), NO_ERROR);
}

}  // namespace
}  // namespace android
