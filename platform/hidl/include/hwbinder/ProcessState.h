// Hardware-binder process state: the same per-process object as binder's.
#pragma once

#include <binder/ProcessState.h>

namespace android {
namespace hardware {
using ProcessState = ::android::ProcessState;
}  // namespace hardware
}  // namespace android
