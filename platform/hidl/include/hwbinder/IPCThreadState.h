// The identity of the caller of the transaction being served on this thread.
// Calls are in-process, so the caller is this process.
#pragma once

#include <sys/types.h>

namespace android {
namespace hardware {

class IPCThreadState {
 public:
  static IPCThreadState* self();
  pid_t getCallingPid() const;
  uid_t getCallingUid() const;
};

}  // namespace hardware
}  // namespace android
