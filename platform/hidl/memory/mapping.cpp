// mapMemory: a shared read-write mapping of an "ashmem" hidl_memory, owned by
// the IMemory object it returns.
#define LOG_TAG "HidlMemory"

#include <hidlmemory/mapping.h>

#include <cutils/ashmem.h>
#include <log/log.h>
#include <sys/mman.h>

namespace android {
namespace hardware {

namespace {

using ::android::hidl::memory::V1_0::IMemory;

class AshmemMemory : public IMemory {
 public:
  AshmemMemory(void* data, size_t size) : mData(data), mSize(size) {}
  ~AshmemMemory() override { munmap(mData, mSize); }

  // Mappings are coherent: the brackets only check their range.
  Return<void> update() override { return Void(); }
  Return<void> updateRange(uint64_t start, uint64_t length) override { return checkRange(start, length); }
  Return<void> read() override { return Void(); }
  Return<void> readRange(uint64_t start, uint64_t length) override { return checkRange(start, length); }
  Return<void> commit() override { return Void(); }
  Return<void*> getPointer() override { return mData; }
  Return<uint64_t> getSize() override { return mSize; }

 private:
  Return<void> checkRange(uint64_t start, uint64_t length) const {
    if (start > mSize || length > mSize - start) {
      ALOGE("range [%llu, +%llu) is outside the %zu-byte mapping",
            static_cast<unsigned long long>(start), static_cast<unsigned long long>(length), mSize);
      return Status::fromExceptionCode(Status::EX_ILLEGAL_ARGUMENT);
    }
    return Void();
  }

  void* mData;
  size_t mSize;
};

}  // namespace

sp<IMemory> mapMemory(const hidl_memory& memory) {
  if (memory.name() != "ashmem") {
    ALOGE("cannot map memory of type '%s'", memory.name().c_str());
    return nullptr;
  }
  const native_handle_t* handle = memory.handle();
  if (!handle || handle->numFds < 1 || memory.size() == 0 ||
      memory.size() > static_cast<uint64_t>(SIZE_MAX)) {
    ALOGE("cannot map an empty or invalid hidl_memory");
    return nullptr;
  }
  const int fd = handle->data[0];
  const int regionSize = ashmem_get_size_region(fd);
  if (regionSize < 0 || static_cast<uint64_t>(regionSize) < memory.size()) {
    ALOGE("hidl_memory of %llu bytes exceeds its region (%d)",
          static_cast<unsigned long long>(memory.size()), regionSize);
    return nullptr;
  }
  const size_t size = static_cast<size_t>(memory.size());
  void* data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (data == MAP_FAILED) {
    ALOGE("mmap of %zu bytes failed", size);
    return nullptr;
  }
  return new AshmemMemory(data, size);
}

}  // namespace hardware
}  // namespace android
