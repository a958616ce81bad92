// Passthrough implementation of ITest: its debug writes the options it got.
#include <android/hidl/allocator/1.0/IAllocator.h>
#include <hidlmemory/mapping.h>
#include <unistd.h>

#include <string>

#include "ITest.h"

using ::android::hardware::hidl_handle;
using ::android::hardware::hidl_string;
using ::android::hardware::hidl_vec;
using ::android::hardware::Return;
using ::android::hardware::Void;
using ::vendor::korvalen::hardware::kvtest::V1_0::ITest;

namespace {

class Test : public ITest {
 public:
  explicit Test(const char* instance) : mInstance(instance ? instance : "") {}
  Return<int32_t> add(int32_t a, int32_t b) override { return a + b; }
  Return<void> instance(instance_cb cb) override {
    cb(mInstance);
    return Void();
  }
  Return<void> share(uint64_t size, uint32_t mark, share_cb cb) override {
    using ::android::hidl::allocator::V1_0::IAllocator;
    ::android::sp<IAllocator> allocator = IAllocator::getService("ashmem");
    ::android::hardware::hidl_memory kept;
    if (allocator != nullptr) {
      allocator->allocate(size, [&](bool ok, const ::android::hardware::hidl_memory& m) {
        if (ok) kept = m;
      });
    }
    auto mapped = ::android::hardware::mapMemory(kept);
    if (mapped == nullptr) {
      cb(false, kept);
      return Void();
    }
    mapped->update();
    *static_cast<uint32_t*>(static_cast<void*>(mapped->getPointer())) = mark;
    mapped->commit();
    cb(true, kept);
    return Void();
  }
  Return<void> debug(const hidl_handle& fd, const hidl_vec<hidl_string>& options) override {
    if (fd.getNativeHandle() == nullptr || fd->numFds < 1) return Void();
    std::string reply = "kvtest";
    for (const hidl_string& option : options) reply += " " + std::string(option);
    reply += "\n";
    ssize_t n = ::write(fd->data[0], reply.data(), reply.size());
    (void)n;
    return Void();
  }

 private:
  std::string mInstance;
};

}  // namespace

extern "C" ITest* KV_TEST_FETCH(const char* instance) { return new Test(instance); }
