// The default behaviour of the IBase methods.
#include <android/hidl/base/1.0/IBase.h>

namespace android {
namespace hidl {
namespace base {
namespace V1_0 {

using ::android::hardware::hidl_handle;
using ::android::hardware::hidl_string;
using ::android::hardware::hidl_vec;
using ::android::hardware::Return;
using ::android::hardware::Void;

Return<void> IBase::interfaceChain(interfaceChain_cb _hidl_cb) {
  _hidl_cb(hidl_vec<hidl_string>{hidl_string(descriptor)});
  return Void();
}

Return<void> IBase::debug(const hidl_handle&, const hidl_vec<hidl_string>&) { return Void(); }

Return<void> IBase::interfaceDescriptor(interfaceDescriptor_cb _hidl_cb) {
  _hidl_cb(descriptor);
  return Void();
}

Return<void> IBase::ping() { return Void(); }

Return<void> IBase::notifySyspropsChanged() { return Void(); }

Return<sp<IBase>> IBase::castFrom(const sp<IBase>& parent, bool) { return parent; }

}  // namespace V1_0
}  // namespace base
}  // namespace hidl
}  // namespace android
