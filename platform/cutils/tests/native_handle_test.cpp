// Native handles: limits, clone with duplicated descriptors, close and delete.
#include <cutils/native_handle.h>

#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(NativeHandle, CreateChecksLimits) {
  struct Case {
    int fds, ints;
    bool ok;
  } cases[] = {{0, 0, true},   {1, 2, true},  {NATIVE_HANDLE_MAX_FDS, NATIVE_HANDLE_MAX_INTS, true},
               {-1, 0, false}, {0, -1, false}, {NATIVE_HANDLE_MAX_FDS + 1, 0, false}};
  for (const auto& c : cases) {
    native_handle_t* h = native_handle_create(c.fds, c.ints);
    EXPECT_EQ(h != nullptr, c.ok) << c.fds << "," << c.ints;
    if (h) {
      EXPECT_EQ(h->version, static_cast<int>(sizeof(native_handle_t)));
      EXPECT_EQ(native_handle_delete(h), 0);
    }
  }
}

TEST(NativeHandle, CloneDuplicatesDescriptorsAndCopiesInts) {
  int pipefd[2];
  ASSERT_EQ(pipe(pipefd), 0);
  native_handle_t* h = native_handle_create(2, 1);
  h->data[0] = pipefd[0];
  h->data[1] = pipefd[1];
  h->data[2] = 4096;
  native_handle_t* c = native_handle_clone(h);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->numFds, 2);
  EXPECT_EQ(c->data[2], 4096);
  EXPECT_NE(c->data[0], pipefd[0]);
  // The clone's descriptors reach the same pipe and outlive the original's.
  EXPECT_EQ(native_handle_close(h), 0);
  EXPECT_EQ(native_handle_delete(h), 0);
  ASSERT_EQ(write(c->data[1], "x", 1), 1);
  char ch = 0;
  ASSERT_EQ(read(c->data[0], &ch, 1), 1);
  EXPECT_EQ(ch, 'x');
  EXPECT_EQ(native_handle_close(c), 0);
  EXPECT_EQ(native_handle_delete(c), 0);
}

TEST(NativeHandle, CloneOfBadDescriptorLeavesNothingOpen) {
  native_handle_t* h = native_handle_create(2, 0);
  h->data[0] = open("/dev/null", O_RDONLY);
  h->data[1] = 9999;  // not open
  int before = fcntl(0, F_DUPFD, 0);  // lowest free descriptor
  close(before);
  EXPECT_EQ(native_handle_clone(h), nullptr);
  int after = fcntl(0, F_DUPFD, 0);
  close(after);
  EXPECT_EQ(before, after);
  close(h->data[0]);
  native_handle_delete(h);
}

TEST(NativeHandle, BadHandlesAreRefused) {
  native_handle_t fake{};
  EXPECT_EQ(native_handle_close(&fake), -EINVAL);
  EXPECT_EQ(native_handle_delete(&fake), -EINVAL);
  EXPECT_EQ(native_handle_clone(nullptr), nullptr);
  EXPECT_EQ(native_handle_delete(nullptr), 0);
}

}  // namespace
