// The per-process service registry and the passthrough loader.
//
// getService(instance, getStub): unless getStub, a service registered in this
// process under the interface's descriptor and `instance` (or a built-in one)
// is returned; otherwise the passthrough implementation is loaded: the library
// "<package>@<version>-impl.so" from the hw folder of /odm, /vendor or /system
// (lib64 or lib, by pointer size) and its "HIDL_FETCH_I<Name>"(instance).
#pragma once

#include <android/hidl/base/1.0/IBase.h>
#include <utils/Errors.h>
#include <utils/StrongPointer.h>

#include <functional>
#include <string>

namespace android {
namespace hardware {
namespace details {

using IBase = ::android::hidl::base::V1_0::IBase;

// Registers `service` under every descriptor of its interface chain.
status_t registerAsServiceInternal(const sp<IBase>& service, const std::string& instance);

// The service registered (or built in) under descriptor/instance, or null.
sp<IBase> getRegisteredService(const std::string& descriptor, const std::string& instance);

// A service that lives in the platform itself (the "ashmem" allocator): made
// by `factory` on first lookup and kept for the life of the process.
void registerBuiltinService(const std::string& descriptor, const std::string& instance,
                            std::function<sp<IBase>()> factory);

// Loads the passthrough library of `descriptor` ("pkg@x.y::IName") and
// returns the address of its HIDL_FETCH_IName, or null (with a log line).
void* getPassthroughFetch(const std::string& descriptor);

// The passthrough implementation of any interface, as IBase: every interface
// has IBase as its first base, at offset 0, so its HIDL_FETCH_I<Name> result
// is also an IBase pointer. Null when there is no implementation.
sp<IBase> getPassthroughBase(const std::string& descriptor, const std::string& instance);

template <typename I>
sp<I> getServiceAs(const std::string& instance, bool getStub) {
  if (!getStub) {
    sp<IBase> base = getRegisteredService(I::descriptor, instance);
    if (base != nullptr) return sp<I>(dynamic_cast<I*>(base.get()));
  }
  void* fetch = getPassthroughFetch(I::descriptor);
  if (!fetch) return nullptr;
  auto* fn = reinterpret_cast<I* (*)(const char*)>(fetch);
  return sp<I>(fn(instance.c_str()));
}

}  // namespace details
}  // namespace hardware
}  // namespace android
