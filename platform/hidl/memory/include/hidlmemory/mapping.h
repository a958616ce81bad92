// Mapping a hidl_memory into this process.
#pragma once

#include <android/hidl/memory/1.0/IMemory.h>
#include <hidl/HidlSupport.h>

namespace android {
namespace hardware {

// A read-write mapping of `memory`, unmapped when the last reference goes;
// null (with a log line) for memory that is not a whole "ashmem" region.
sp<hidl::memory::V1_0::IMemory> mapMemory(const hidl_memory& memory);

}  // namespace hardware
}  // namespace android
