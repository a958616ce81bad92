// ashmem regions: size, validity, protection and sharing across fork.
#include <cutils/ashmem.h>

#include <errno.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

namespace {

TEST(Ashmem, RegionHasItsSizeAndIsValid) {
  int fd = ashmem_create_region("sensor_direct", 104 * 50);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(ashmem_valid(fd), 1);
  EXPECT_EQ(ashmem_get_size_region(fd), 104 * 50);
  EXPECT_EQ(ftruncate(fd, 10), -1);  // the size is fixed
  close(fd);
}

TEST(Ashmem, OtherDescriptorsAreNotRegions) {
  int pipefd[2];
  ASSERT_EQ(pipe(pipefd), 0);
  EXPECT_EQ(ashmem_valid(pipefd[0]), 0);
  EXPECT_EQ(ashmem_get_size_region(pipefd[0]), -1);
  EXPECT_EQ(errno, EINVAL);
  close(pipefd[0]);
  close(pipefd[1]);
  EXPECT_EQ(ashmem_valid(-1), 0);
  EXPECT_EQ(ashmem_get_size_region(12345), -1);
  EXPECT_EQ(errno, EBADF);
  EXPECT_EQ(ashmem_create_region("empty", 0), -1);
}

TEST(Ashmem, ChildWritesParentReads) {
  int fd = ashmem_create_region("shared", 4096);
  ASSERT_GE(fd, 0);
  auto* parent = static_cast<char*>(mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
  ASSERT_NE(parent, MAP_FAILED);
  EXPECT_EQ(parent[100], 0);  // zero-filled
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    // The child maps the region anew, as a receiving process would.
    auto* child = static_cast<char*>(mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
    if (child == MAP_FAILED) _exit(1);
    strcpy(child + 100, "from child");
    munmap(child, 4096);
    _exit(0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_STREQ(parent + 100, "from child");
  munmap(parent, 4096);
  close(fd);
}

TEST(Ashmem, ReadOnlyProtectionRefusesWritableMappings) {
  int fd = ashmem_create_region("ro", 4096);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ashmem_set_prot_region(fd, PROT_READ), 0);
  void* w = mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  EXPECT_EQ(w, MAP_FAILED);
  void* r = mmap(nullptr, 4096, PROT_READ, MAP_SHARED, fd, 0);
  EXPECT_NE(r, MAP_FAILED);
  if (r != MAP_FAILED) munmap(r, 4096);
  close(fd);
}

}  // namespace
