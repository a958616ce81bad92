// Finding "<package>@<version>-impl.so" in the hw folders of the handset and
// its HIDL_FETCH_I<Name> entry point.
#define LOG_TAG "HidlPassthrough"

#include "Passthrough.h"

#include <dlfcn.h>
#include <kv/path.h>
#include <log/log.h>
#include <unistd.h>

namespace android {
namespace hardware {
namespace details {

namespace {

constexpr const char* kLibDir = sizeof(void*) == 8 ? "lib64" : "lib";

// Partitions searched in order, as for HAL modules.
constexpr const char* kPartitions[] = {"odm", "vendor", "system"};

// "pkg@1.0::IName" -> "pkg@1.0" and "IName"; false for a malformed descriptor.
bool splitDescriptor(const std::string& descriptor, std::string* package, std::string* name) {
  size_t sep = descriptor.find("::");
  if (sep == std::string::npos || sep == 0 || descriptor.find('@') > sep) return false;
  *package = descriptor.substr(0, sep);
  *name = descriptor.substr(sep + 2);
  return !name->empty() && name->find('/') == std::string::npos &&
         package->find('/') == std::string::npos;
}

}  // namespace

void* loadPassthroughFetch(const std::string& descriptor) {
  std::string package, name;
  if (!splitDescriptor(descriptor, &package, &name)) {
    ALOGE("malformed interface descriptor '%s'", descriptor.c_str());
    return nullptr;
  }
  const std::string file = package + "-impl.so";
  const std::string symbol = "HIDL_FETCH_" + name;
  for (const char* partition : kPartitions) {
    const std::string path = std::string("/") + partition + "/" + kLibDir + "/hw/" + file;
    if (kv_access(path.c_str(), R_OK) != 0) continue;
    void* handle = kv_dlopen(path.c_str(), RTLD_NOW);
    if (!handle) {
      const char* err = dlerror();
      ALOGE("failed to dlopen %s: %s", path.c_str(), err ? err : "unknown error");
      continue;
    }
    void* fetch = dlsym(handle, symbol.c_str());
    if (!fetch) {
      ALOGE("couldn't find symbol %s in %s", symbol.c_str(), path.c_str());
      dlclose(handle);
      continue;
    }
    ALOGV("loaded passthrough %s from %s", descriptor.c_str(), path.c_str());
    return fetch;
  }
  ALOGW("no passthrough implementation %s for %s", file.c_str(), descriptor.c_str());
  return nullptr;
}

}  // namespace details
}  // namespace hardware
}  // namespace android
