// The members that the HIDL generator adds to every interface class: the
// descriptor, the interface chain, service lookup and registration, casts.
// An interface header writes HIDL_INTERFACE_COMMON(IName, "pkg@x.y::IName",
// parent interfaces from nearest to IBase).
#pragma once

#include <android/hidl/base/1.0/IBase.h>
#include <hidl/ServiceManagement.h>

#include <string>

namespace android {
namespace hardware {
namespace details {

template <typename... Is>
Return<void> reportInterfaceChain(const hidl::base::V1_0::IBase::interfaceChain_cb& cb) {
  hidl_vec<hidl_string> chain{hidl_string(Is::descriptor)...};
  cb(chain);
  return Void();
}

template <typename I>
Return<sp<I>> castInterface(const sp<hidl::base::V1_0::IBase>& parent) {
  return sp<I>(dynamic_cast<I*>(parent.get()));
}

}  // namespace details
}  // namespace hardware
}  // namespace android

// HIDL_INTERFACE_IDENTITY: descriptor, chain, registration and casts;
// HIDL_INTERFACE_LOOKUP: getService through the registry and passthrough.
#define HIDL_INTERFACE_IDENTITY(Iface, Descriptor, ...)                                       \
  static constexpr const char descriptor[] = Descriptor;                                      \
  ::android::hardware::Return<void> interfaceChain(interfaceChain_cb _hidl_cb) override {    \
    return ::android::hardware::details::reportInterfaceChain<Iface, __VA_ARGS__>(_hidl_cb);  \
  }                                                                                           \
  ::android::hardware::Return<void> interfaceDescriptor(interfaceDescriptor_cb _hidl_cb)      \
      override {                                                                              \
    _hidl_cb(descriptor);                                                                     \
    return ::android::hardware::Void();                                                       \
  }                                                                                           \
  ::android::status_t registerAsService(const std::string& serviceName = "default") {         \
    return ::android::hardware::details::registerAsServiceInternal(this, serviceName);        \
  }                                                                                           \
  static ::android::hardware::Return<::android::sp<Iface>> castFrom(                          \
      const ::android::sp<::android::hidl::base::V1_0::IBase>& parent, bool = false) {        \
    return ::android::hardware::details::castInterface<Iface>(parent);                        \
  }

#define HIDL_INTERFACE_LOOKUP(Iface)                                                          \
  static ::android::sp<Iface> getService(const std::string& serviceName = "default",          \
                                         bool getStub = false) {                              \
    return ::android::hardware::details::getServiceAs<Iface>(serviceName, getStub);          \
  }                                                                                           \
  static ::android::sp<Iface> tryGetService(const std::string& serviceName = "default",       \
                                            bool getStub = false) {                           \
    return getService(serviceName, getStub);                                                  \
  }

#define HIDL_INTERFACE_COMMON(Iface, Descriptor, ...)  \
  HIDL_INTERFACE_IDENTITY(Iface, Descriptor, __VA_ARGS__) \
  HIDL_INTERFACE_LOOKUP(Iface)
