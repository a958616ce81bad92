// The "ashmem" allocator and mapMemory: memory shared with a child process,
// mappings and descriptors released when their owners go.
#include <android/hidl/allocator/1.0/IAllocator.h>
#include <hidl/ServiceManagementTesting.h>
#include <hidlmemory/mapping.h>

#include <cutils/ashmem.h>
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

using android::sp;
using android::hardware::hidl_memory;
using android::hardware::hidl_vec;
using android::hardware::mapMemory;
using android::hidl::allocator::V1_0::IAllocator;
using android::hidl::memory::V1_0::IMemory;

namespace {

constexpr size_t kSize = 0x24800;

int openDescriptors() {
  int n = 0;
  DIR* dir = opendir("/proc/self/fd");
  if (!dir) return -1;
  while (readdir(dir)) ++n;
  closedir(dir);
  return n;
}

bool isMapped(void* address) {
  unsigned char vec;
  return mincore(address, 1, &vec) == 0;
}

class MemoryTest : public ::testing::Test {
 protected:
  void TearDown() override { android::hardware::testing::resetServiceRegistry(); }

  // A copy of freshly allocated memory (the allocator's own goes after the callback).
  hidl_memory allocate(uint64_t size, bool* success) {
    sp<IAllocator> allocator = IAllocator::getService("ashmem");
    EXPECT_NE(nullptr, allocator);
    hidl_memory kept;
    *success = false;
    if (allocator == nullptr) return kept;
    allocator->allocate(size, [&](bool ok, const hidl_memory& memory) {
      *success = ok;
      kept = memory;
    });
    return kept;
  }
};

TEST_F(MemoryTest, ChildWritesThroughItsOwnMapping) {
  const int before = openDescriptors();
  void* parentAddress = nullptr;
  {
    bool ok = false;
    hidl_memory memory = allocate(kSize, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ("ashmem", std::string(memory.name()));
    EXPECT_EQ(kSize, memory.size());

    sp<IMemory> mapped = mapMemory(memory);
    ASSERT_NE(nullptr, mapped);
    ASSERT_EQ(kSize, static_cast<uint64_t>(mapped->getSize()));
    auto* words = static_cast<uint32_t*>(static_cast<void*>(mapped->getPointer()));
    parentAddress = words;
    EXPECT_EQ(0u, words[0]);  // regions start zeroed

    pid_t child = fork();
    ASSERT_NE(-1, child);
    if (child == 0) {
      sp<IMemory> own = mapMemory(memory);
      if (own == nullptr) _exit(2);
      auto* w = static_cast<uint32_t*>(static_cast<void*>(own->getPointer()));
      own->update();
      w[0] = 0xC0FFEE;
      w[kSize / 4 - 1] = 0x5A5A5A5A;
      own->commit();
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(0, WEXITSTATUS(status));

    mapped->read();
    EXPECT_EQ(0xC0FFEEu, words[0]);
    EXPECT_EQ(0x5A5A5A5Au, words[kSize / 4 - 1]);
    mapped->commit();
  }
  EXPECT_FALSE(isMapped(parentAddress));
  EXPECT_EQ(before, openDescriptors());
}

TEST_F(MemoryTest, RangesOutsideTheMappingFail) {
  bool ok = false;
  hidl_memory memory = allocate(4096, &ok);
  ASSERT_TRUE(ok);
  sp<IMemory> mapped = mapMemory(memory);
  ASSERT_NE(nullptr, mapped);
  EXPECT_TRUE(mapped->updateRange(0, 4096).isOk());
  EXPECT_TRUE(mapped->readRange(4095, 1).isOk());
  EXPECT_FALSE(mapped->updateRange(4095, 2).isOk());
  EXPECT_FALSE(mapped->readRange(UINT64_MAX, 2).isOk());
}

TEST_F(MemoryTest, AllocatorRefusesEmptyMemory) {
  bool ok = true;
  hidl_memory memory = allocate(0, &ok);
  EXPECT_FALSE(ok);
  EXPECT_FALSE(memory.valid());
}

TEST_F(MemoryTest, BatchGivesSeparateRegions) {
  sp<IAllocator> allocator = IAllocator::getService("ashmem");
  ASSERT_NE(nullptr, allocator);
  hidl_vec<hidl_memory> kept;
  bool ok = false;
  allocator->batchAllocate(4096, 3, [&](bool success, const hidl_vec<hidl_memory>& batch) {
    ok = success;
    kept = batch;
  });
  ASSERT_TRUE(ok);
  ASSERT_EQ(3u, kept.size());
  sp<IMemory> a = mapMemory(kept[0]);
  sp<IMemory> b = mapMemory(kept[1]);
  ASSERT_NE(nullptr, a);
  ASSERT_NE(nullptr, b);
  static_cast<char*>(static_cast<void*>(a->getPointer()))[0] = 'a';
  EXPECT_EQ(0, static_cast<char*>(static_cast<void*>(b->getPointer()))[0]);
}

TEST_F(MemoryTest, AllocatorIsOnlyTheAshmemInstance) {
  EXPECT_EQ(nullptr, IAllocator::getService("default"));
  EXPECT_EQ(nullptr, IAllocator::getService("ashmem", /*getStub=*/true));
  android::hardware::testing::setServiceHidden(IAllocator::descriptor, true);
  EXPECT_EQ(nullptr, IAllocator::getService("ashmem"));
  android::hardware::testing::setServiceHidden(IAllocator::descriptor, false);
  EXPECT_NE(nullptr, IAllocator::getService("ashmem"));
}

struct BadMemoryCase {
  const char* name;
  const char* type;
  bool withHandle;
  int fds;
  uint64_t size;
};

const BadMemoryCase kBadMemory[] = {
    {"wrongType", "hardware_buffer", true, 1, 4096},
    {"noHandle", "ashmem", false, 0, 4096},
    {"noDescriptor", "ashmem", true, 0, 4096},
    {"emptySize", "ashmem", true, 1, 0},
    {"largerThanRegion", "ashmem", true, 1, 8192},
};

class BadMemoryTest : public ::testing::TestWithParam<BadMemoryCase> {};

TEST_P(BadMemoryTest, IsNotMapped) {
  const BadMemoryCase& c = GetParam();
  int fd = ashmem_create_region("bad", 4096);
  ASSERT_GE(fd, 0);
  native_handle_t* handle = native_handle_create(c.fds, 0);
  ASSERT_NE(nullptr, handle);
  if (c.fds) handle->data[0] = fd;
  {
    hidl_memory memory(c.type, c.withHandle ? handle : nullptr, static_cast<size_t>(c.size));
    EXPECT_EQ(nullptr, mapMemory(memory));
  }
  close(fd);
  native_handle_delete(handle);
}

INSTANTIATE_TEST_SUITE_P(Cases, BadMemoryTest, ::testing::ValuesIn(kBadMemory),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
