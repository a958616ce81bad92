// The "ashmem" allocator service: shared memory regions on memfd, handed out
// as hidl_memory named "ashmem" with one descriptor.
#define LOG_TAG "AshmemAllocator"

#include <android/hidl/allocator/1.0/IAllocator.h>

#include <cutils/ashmem.h>
#include <log/log.h>
#include <unistd.h>

#include <mutex>
#include <vector>

namespace android {
namespace hidl {
namespace allocator {
namespace V1_0 {

namespace {

using ::android::hardware::hidl_memory;
using ::android::hidl::base::V1_0::IBase;
using ::android::hardware::hidl_vec;
using ::android::hardware::Return;
using ::android::hardware::Void;

// A new region wrapped in an owned handle; the memory is invalid on failure.
hidl_memory allocateOne(uint64_t size) {
  if (size == 0 || size > static_cast<uint64_t>(SIZE_MAX)) return hidl_memory();
  int fd = ashmem_create_region("AshmemAllocator_hidl", static_cast<size_t>(size));
  if (fd < 0) {
    ALOGE("ashmem_create_region(%llu) failed", static_cast<unsigned long long>(size));
    return hidl_memory();
  }
  native_handle_t* handle = native_handle_create(1, 0);
  if (!handle) {
    close(fd);
    return hidl_memory();
  }
  handle->data[0] = fd;
  ::android::hardware::hidl_handle owned;
  owned.setTo(handle, /*shouldOwn=*/true);
  return hidl_memory("ashmem", std::move(owned), static_cast<size_t>(size));
}

class AshmemAllocator : public IAllocator {
 public:
  Return<void> allocate(uint64_t size, allocate_cb _hidl_cb) override {
    hidl_memory memory = allocateOne(size);
    _hidl_cb(memory.valid(), memory);
    return Void();
  }

  Return<void> batchAllocate(uint64_t size, uint64_t count, batchAllocate_cb _hidl_cb) override {
    std::vector<hidl_memory> batch;
    bool ok = count <= UINT32_MAX;
    for (uint64_t i = 0; ok && i < count; ++i) {
      batch.push_back(allocateOne(size));
      ok = batch.back().valid();
    }
    if (!ok) batch.clear();
    hidl_vec<hidl_memory> result;
    result.resize(batch.size());
    for (size_t i = 0; i < batch.size(); ++i) result[i] = std::move(batch[i]);
    _hidl_cb(ok, result);
    return Void();
  }
};

void registerAshmemAllocator() {
  static std::once_flag once;
  std::call_once(once, [] {
    ::android::hardware::details::registerBuiltinService(
        IAllocator::descriptor, "ashmem", [] { return sp<IBase>(new AshmemAllocator()); });
  });
}

}  // namespace

sp<IAllocator> IAllocator::getService(const std::string& serviceName, bool getStub) {
  if (getStub) return nullptr;  // the allocator has no passthrough implementation
  registerAshmemAllocator();
  sp<IBase> base = ::android::hardware::details::getRegisteredService(descriptor, serviceName);
  return sp<IAllocator>(dynamic_cast<IAllocator*>(base.get()));
}

}  // namespace V1_0
}  // namespace allocator
}  // namespace hidl
}  // namespace android
