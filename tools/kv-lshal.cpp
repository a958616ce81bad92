// kv-lshal: dumps a HAL of the simulated handset (KV_ROOT) the way lshal does
// on a device. Loads the passthrough implementation of an interface and calls
// its debug with the given options, the reply going to standard output.
//
//   kv-lshal debug <package>@<version>::I<Name>[/<instance>] [options...]
#include <hidl/HidlSupport.h>
#include <hidl/ServiceManagement.h>

#include <cutils/native_handle.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>

using android::sp;
using android::hardware::hidl_handle;
using android::hardware::hidl_string;
using android::hardware::hidl_vec;
using android::hidl::base::V1_0::IBase;

namespace {

int usage() {
  fprintf(stderr,
          "usage: kv-lshal debug <package>@<version>::I<Name>[/<instance>] [options...]\n"
          "Loads the passthrough implementation from the hw folders of $KV_ROOT and\n"
          "prints what its debug writes for the options.\n");
  return 2;
}

int debug(const std::string& target, int argc, char** argv) {
  std::string descriptor = target;
  std::string instance = "default";
  size_t slash = target.find('/');
  if (slash != std::string::npos) {
    descriptor = target.substr(0, slash);
    instance = target.substr(slash + 1);
  }
  sp<IBase> service = android::hardware::details::getPassthroughBase(descriptor, instance);
  if (service == nullptr) {
    fprintf(stderr, "kv-lshal: no passthrough implementation of %s/%s\n", descriptor.c_str(),
            instance.c_str());
    return 1;
  }
  hidl_vec<hidl_string> options;
  options.resize(static_cast<size_t>(argc));
  for (int i = 0; i < argc; ++i) options[static_cast<size_t>(i)] = argv[i];

  fflush(stdout);
  native_handle_t* handle = native_handle_create(1, 0);
  if (!handle) return 1;
  handle->data[0] = STDOUT_FILENO;
  auto status = service->debug(hidl_handle(handle), options);
  native_handle_delete(handle);  // the descriptor is stdout: not closed
  if (!status.isOk()) {
    fprintf(stderr, "kv-lshal: debug failed: %s\n", status.description().c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || strcmp(argv[1], "debug") != 0) return usage();
  return debug(argv[2], argc - 3, argv + 3);
}
