// Resolution of handset paths under KV_ROOT and the file calls built on it.
#include "kv/path.h"

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace {

class RootEnv : public ::testing::Test {
 protected:
  void TearDown() override { unsetenv("KV_ROOT"); }
};

struct ResolveCase {
  const char* root;  // nullptr: unset
  const char* path;
  const char* expected;
};

TEST_F(RootEnv, ResolvesTable) {
  const ResolveCase cases[] = {
      {nullptr, "/dev/m_acc_misc", "/dev/m_acc_misc"},        // on the handset: unchanged
      {"", "/dev/m_acc_misc", "/dev/m_acc_misc"},             // empty root is no root
      {"/tmp/r", "/dev/m_acc_misc", "/tmp/r/dev/m_acc_misc"},
      {"/tmp/r/", "/vendor/etc", "/tmp/r/vendor/etc"},        // trailing slash of the root
      {"/tmp/r", "relative/file", "relative/file"},           // relative paths stay
      {"/tmp/r", "/tmp/r/dev/x", "/tmp/r/dev/x"},             // already resolved
      {"/tmp/r", "/tmp/r", "/tmp/r"},
      {"/tmp/r", "/tmp/rx/dev", "/tmp/r/tmp/rx/dev"},         // a sibling is not "under"
  };
  for (const auto& c : cases) {
    if (c.root) setenv("KV_ROOT", c.root, 1);
    else unsetenv("KV_ROOT");
    char buf[PATH_MAX];
    ASSERT_NE(kv_resolve_path(c.path, buf, sizeof buf), nullptr) << c.path;
    EXPECT_STREQ(buf, c.expected) << "root " << (c.root ? c.root : "(unset)") << " path " << c.path;
  }
}

TEST_F(RootEnv, TooSmallBufferFailsWithoutOverrun) {
  setenv("KV_ROOT", "/tmp/root", 1);
  char buf[32];
  memset(buf, '#', sizeof buf);
  const char* path = "/sys/class/sensor/m_acc_misc/accactive";  // 39 + 9 > 31
  errno = 0;
  EXPECT_EQ(kv_resolve_path(path, buf, 20), nullptr);
  EXPECT_EQ(errno, ENAMETOOLONG);
  for (size_t i = 0; i < sizeof buf; ++i) EXPECT_EQ(buf[i], '#') << i;
  // Exactly fitting: length + NUL.
  std::string full = std::string("/tmp/root") + path;
  std::string exact(full.size() + 1, '\0');
  EXPECT_NE(kv_resolve_path(path, exact.data(), exact.size()), nullptr);
  EXPECT_EQ(kv_resolve_path(path, exact.data(), full.size()), nullptr);
}

TEST_F(RootEnv, FileCallsGoUnderTheRoot) {
  char tmpl[] = "/tmp/kvrootXXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  std::string root = tmpl;
  setenv("KV_ROOT", root.c_str(), 1);
  ASSERT_EQ(kv_mkdir("/data", 0755), 0);
  int fd = kv_open("/data/file", O_WRONLY | O_CREAT, 0600);
  ASSERT_GE(fd, 0);
  close(fd);
  EXPECT_EQ(access((root + "/data/file").c_str(), F_OK), 0);
  struct stat st;
  EXPECT_EQ(kv_stat("/data/file", &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(kv_access("/data/file", R_OK), 0);
  EXPECT_EQ(kv_rename("/data/file", "/data/moved"), 0);
  struct dirent** list = nullptr;
  int n = kv_scandir("/data", &list, nullptr, alphasort);
  ASSERT_EQ(n, 3);  // ".", "..", "moved"
  EXPECT_STREQ(list[2]->d_name, "moved");
  for (int i = 0; i < n; ++i) free(list[i]);
  free(list);
  EXPECT_EQ(kv_unlink("/data/moved"), 0);
  EXPECT_EQ(kv_access("/data/moved", F_OK), -1);
  EXPECT_EQ(errno, ENOENT);
  rmdir((root + "/data").c_str());
  rmdir(root.c_str());
}

TEST_F(RootEnv, OverlongPathFailsLikeTheCall) {
  setenv("KV_ROOT", "/tmp/r", 1);
  std::string path = "/" + std::string(PATH_MAX, 'a');
  errno = 0;
  EXPECT_EQ(kv_open(path.c_str(), O_RDONLY), -1);
  EXPECT_EQ(errno, ENAMETOOLONG);
  EXPECT_EQ(kv::resolvePath(path), "");
}

TEST_F(RootEnv, DlopenOfBareNameIsNotResolved) {
  setenv("KV_ROOT", "/nonexistent-root", 1);
  void* h = kv_dlopen("libc.so.6", RTLD_NOW);  // found by the dynamic linker
  EXPECT_NE(h, nullptr);
  if (h) dlclose(h);
  EXPECT_EQ(kv_dlopen("/vendor/lib64/libnothing.so", RTLD_NOW), nullptr);
}

}  // namespace
