// android.hidl.base@1.0::IBase: the root of every HIDL interface.
#pragma once

#include <hidl/HidlSupport.h>
#include <hidl/Status.h>
#include <utils/RefBase.h>
#include <utils/StrongPointer.h>

#include <functional>

namespace android {
namespace hidl {
namespace base {
namespace V1_0 {

struct IBase : virtual public ::android::RefBase {
  static constexpr const char descriptor[] = "android.hidl.base@1.0::IBase";

  // False for an object in this process (passthrough or registered here).
  virtual bool isRemote() const { return false; }

  using interfaceChain_cb = std::function<void(const ::android::hardware::hidl_vec<::android::hardware::hidl_string>&)>;
  // The descriptors from the most derived interface down to IBase.
  virtual ::android::hardware::Return<void> interfaceChain(interfaceChain_cb _hidl_cb);
  // Writes a dump to the descriptor of `fd` (a handle with one descriptor);
  // the default writes nothing.
  virtual ::android::hardware::Return<void> debug(
      const ::android::hardware::hidl_handle& fd,
      const ::android::hardware::hidl_vec<::android::hardware::hidl_string>& options);
  using interfaceDescriptor_cb = std::function<void(const ::android::hardware::hidl_string&)>;
  virtual ::android::hardware::Return<void> interfaceDescriptor(interfaceDescriptor_cb _hidl_cb);
  virtual ::android::hardware::Return<void> ping();
  virtual ::android::hardware::Return<void> notifySyspropsChanged();

  static ::android::hardware::Return<::android::sp<IBase>> castFrom(
      const ::android::sp<IBase>& parent, bool emitError = false);

 protected:
  ~IBase() override = default;
};

}  // namespace V1_0
}  // namespace base
}  // namespace hidl
}  // namespace android
