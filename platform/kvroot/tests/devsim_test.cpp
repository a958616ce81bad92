// The device seam: simulated ioctl devices, kernel-style request checks, mmap.
#include "kv/devsim.h"

#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/ioctl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

struct Record {
  int value;
  int reply;
};
struct Big {
  char bytes[64];
};

#define DEMO_SET _IOW('D', 1, Record)
#define DEMO_GET _IOWR('D', 2, Record)

const unsigned long kRequests[] = {DEMO_SET, DEMO_GET};

struct Demo {
  int opens = 0;
  int closes = 0;
  int stored = 0;
  std::vector<unsigned long> seen;
  char memory[4096] __attribute__((aligned(4096)));
};

int demoOpen(void* cookie, int, void** state) {
  auto* d = static_cast<Demo*>(cookie);
  ++d->opens;
  *state = d;
  return 0;
}
int demoIoctl(void* state, unsigned long request, void* arg) {
  auto* d = static_cast<Demo*>(state);
  auto* r = static_cast<Record*>(arg);
  d->seen.push_back(request);
  if (request == DEMO_SET) {
    if (r->value < 0) return -EINVAL;
    d->stored = r->value;
  } else {
    r->reply = d->stored * 2;
  }
  return 0;
}
void* demoMmap(void* state, size_t length, int, int, off_t, int* error) {
  auto* d = static_cast<Demo*>(state);
  if (length > sizeof d->memory) {
    *error = EINVAL;
    return nullptr;
  }
  return d->memory;
}
void demoClose(void* state) { ++static_cast<Demo*>(state)->closes; }

const kv_dev_ops kDemoOps = {kRequests, 2, demoOpen, demoIoctl, demoMmap, demoClose};

class DevSim : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(kv_dev_register("/dev/demo_disp", &kDemoOps, &demo_), 0); }
  void TearDown() override { kv_dev_unregister("/dev/demo_disp"); }
  Demo demo_;
};

TEST_F(DevSim, IoctlReachesTheSimulator) {
  int fd = kv_dev_open("/dev/demo_disp", O_RDWR);
  ASSERT_GE(fd, 0);
  Record r{21, 0};
  EXPECT_EQ(kv_dev_ioctl(fd, DEMO_SET, &r), 0);
  EXPECT_EQ(kv_dev_ioctl(fd, DEMO_GET, &r), 0);
  EXPECT_EQ(r.reply, 42);
  r.value = -1;
  EXPECT_EQ(kv_dev_ioctl(fd, DEMO_SET, &r), -1);
  EXPECT_EQ(errno, EINVAL);
  EXPECT_EQ(kv_dev_close(fd), 0);
  EXPECT_EQ(demo_.opens, 1);
  EXPECT_EQ(demo_.closes, 1);
}

TEST_F(DevSim, RequestsAreCheckedLikeAKernelDriver) {
  struct Case {
    unsigned long request;
    int error;
  } cases[] = {
      {_IOW('D', 9, Record), ENOTTY},  // unknown ordinal
      {_IOW('E', 1, Record), ENOTTY},  // unknown type
      {_IOW('D', 1, Big), EINVAL},     // known number, wrong record size
      {_IOR('D', 1, Record), EINVAL},  // known number, wrong direction
  };
  int fd = kv_dev_open("/dev/demo_disp", O_RDWR);
  ASSERT_GE(fd, 0);
  Big big{};
  for (const auto& c : cases) {
    errno = 0;
    EXPECT_EQ(kv_dev_ioctl(fd, c.request, &big), -1) << std::hex << c.request;
    EXPECT_EQ(errno, c.error) << std::hex << c.request;
  }
  EXPECT_TRUE(demo_.seen.empty());  // nothing malformed reached the simulator
  kv_dev_close(fd);
}

TEST_F(DevSim, MmapComesFromTheSimulator) {
  int fd = kv_dev_open("/dev/demo_disp", O_RDWR);
  ASSERT_GE(fd, 0);
  void* p = kv_dev_mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  EXPECT_EQ(p, demo_.memory);
  EXPECT_EQ(kv_dev_mmap(nullptr, 8192, PROT_READ, MAP_SHARED, fd, 0), MAP_FAILED);
  EXPECT_EQ(errno, EINVAL);
  kv_dev_close(fd);
}

TEST_F(DevSim, PathWithoutSimulatorOpensForReal) {
  errno = 0;
  EXPECT_EQ(kv_dev_open("/dev/kv-no-such-device", O_RDWR), -1);
  EXPECT_EQ(errno, ENOENT);
  int fd = kv_dev_open("/dev/null", O_RDWR);
  ASSERT_GE(fd, 0);
  int arg = 0;
  EXPECT_EQ(kv_dev_ioctl(fd, FIONREAD, &arg), -1);  // the real kernel answers
  EXPECT_EQ(errno, ENOTTY);
  EXPECT_EQ(kv_dev_close(fd), 0);
}

TEST_F(DevSim, FailingOpenIsReported) {
  static const kv_dev_ops refuse = {kRequests, 2,
                                    [](void*, int, void**) { return -EACCES; },
                                    nullptr, nullptr, nullptr};
  ASSERT_EQ(kv_dev_register("/dev/demo_locked", &refuse, nullptr), 0);
  errno = 0;
  EXPECT_EQ(kv_dev_open("/dev/demo_locked", O_RDWR), -1);
  EXPECT_EQ(errno, EACCES);
  kv_dev_unregister("/dev/demo_locked");
}

TEST_F(DevSim, CloseWaitsForCallsInFlight) {
  // An ioctl running on another thread keeps the open file alive until it returns.
  static std::atomic<bool> inside{false}, release{false};
  static std::atomic<int> closed{0};
  static const kv_dev_ops slow = {
      kRequests, 2, nullptr,
      [](void*, unsigned long, void*) {
        inside = true;
        while (!release) std::this_thread::yield();
        return closed.load() == 0 ? 0 : -EIO;
      },
      nullptr, [](void*) { ++closed; }};
  ASSERT_EQ(kv_dev_register("/dev/demo_slow", &slow, nullptr), 0);
  int fd = kv_dev_open("/dev/demo_slow", O_RDWR);
  ASSERT_GE(fd, 0);
  int result = -2;
  std::thread caller([&] {
    Record r{};
    result = kv_dev_ioctl(fd, DEMO_GET, &r);
  });
  while (!inside) std::this_thread::yield();
  kv_dev_close(fd);
  EXPECT_EQ(closed.load(), 0);
  release = true;
  caller.join();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(closed.load(), 1);
  kv_dev_unregister("/dev/demo_slow");
}

}  // namespace
