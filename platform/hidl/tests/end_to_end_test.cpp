// A passthrough implementation fetched from a simulated handset's vendor hw
// folder hands out allocator memory that a child process maps and changes.
#include <hidl/ServiceManagementTesting.h>
#include <hidlmemory/mapping.h>

#include <gtest/gtest.h>
#include <sim/handset.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "ITest.h"

using android::sp;
using android::hardware::hidl_handle;
using android::hardware::hidl_memory;
using android::hardware::hidl_string;
using android::hardware::hidl_vec;
using android::hardware::mapMemory;
using android::hidl::memory::V1_0::IMemory;
using vendor::korvalen::hardware::kvtest::V1_0::ITest;

namespace {

TEST(EndToEnd, PassthroughMemoryIsSharedWithAChild) {
  std::string err;
  auto handset = kv::sim::Handset::createBare(&err);
  ASSERT_NE(nullptr, handset) << err;
  const char* libDir = sizeof(void*) == 8 ? "lib64" : "lib";
  std::filesystem::path to = handset->hostPath(std::string("/vendor/") + libDir +
                                               "/hw/vendor.korvalen.hardware.kvtest@1.0-impl.so");
  std::filesystem::create_directories(to.parent_path());
  std::filesystem::copy_file(KV_TEST_IMPL, to);

  sp<ITest> test = ITest::getService("default", true);
  ASSERT_NE(nullptr, test);
  EXPECT_EQ(7, static_cast<int32_t>(test->add(3, 4)));

  // debug writes to the descriptor it is given.
  int pipeFds[2];
  ASSERT_EQ(0, pipe(pipeFds));
  native_handle_t* native = native_handle_create(1, 0);
  native->data[0] = pipeFds[1];
  test->debug(hidl_handle(native), hidl_vec<hidl_string>{"--a", "b"});
  native_handle_delete(native);
  close(pipeFds[1]);
  char reply[64] = {};
  ASSERT_GT(read(pipeFds[0], reply, sizeof reply - 1), 0);
  close(pipeFds[0]);
  EXPECT_STREQ("kvtest --a b\n", reply);

  hidl_memory memory;
  bool ok = false;
  test->share(8192, 0x1234, [&](bool success, const hidl_memory& m) {
    ok = success;
    memory = m;
  });
  ASSERT_TRUE(ok);

  pid_t child = fork();
  ASSERT_NE(-1, child);
  if (child == 0) {
    sp<IMemory> mapped = mapMemory(memory);
    if (mapped == nullptr) _exit(2);
    auto* words = static_cast<uint32_t*>(static_cast<void*>(mapped->getPointer()));
    if (words[0] != 0x1234) _exit(3);
    words[1] = 0xBEEF;
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(child, waitpid(child, &status, 0));
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(0, WEXITSTATUS(status));

  sp<IMemory> mapped = mapMemory(memory);
  ASSERT_NE(nullptr, mapped);
  EXPECT_EQ(0xBEEFu, static_cast<uint32_t*>(static_cast<void*>(mapped->getPointer()))[1]);
  android::hardware::testing::resetServiceRegistry();
}

}  // namespace
