// The device seam: simulated character devices keyed by handset path.
#include "kv/devsim.h"

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "kv/path.h"

namespace {

struct Device {
  const kv_dev_ops* ops;
  void* cookie;
};

// The simulator's close runs when the last call using the open file returns,
// so an ioctl in flight on another thread never sees its state freed.
struct OpenFile {
  Device device;
  void* state;
  OpenFile(Device d, void* s) : device(d), state(s) {}
  ~OpenFile() {
    if (device.ops->close) device.ops->close(state);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
};

std::mutex gLock;
std::map<std::string, Device>& devices() {
  static auto* m = new std::map<std::string, Device>();
  return *m;
}
std::map<int, std::shared_ptr<OpenFile>>& openFiles() {
  static auto* m = new std::map<int, std::shared_ptr<OpenFile>>();
  return *m;
}

void loadPlugins() {
  static std::once_flag once;
  std::call_once(once, [] {
    const char* list = getenv("KV_DEVSIM_PLUGINS");
    if (!list) return;
    std::string all(list);
    size_t start = 0;
    while (start <= all.size()) {
      size_t end = all.find(':', start);
      std::string path = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
      if (!path.empty()) {
        void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL);
        if (h) {
          if (auto init = reinterpret_cast<void (*)()>(dlsym(h, "kv_devsim_init"))) init();
        }
      }
      if (end == std::string::npos) break;
      start = end + 1;
    }
  });
}

std::shared_ptr<OpenFile> lookup(int fd) {
  std::lock_guard<std::mutex> lock(gLock);
  auto it = openFiles().find(fd);
  return it == openFiles().end() ? nullptr : it->second;
}

int fail(int error) {
  errno = error;
  return -1;
}

// Kernel-style check of a request against the numbers a device knows.
int checkRequest(const kv_dev_ops* ops, unsigned long request) {
  for (size_t i = 0; i < ops->request_count; ++i) {
    unsigned long known = ops->requests[i];
    if (_IOC_TYPE(known) != _IOC_TYPE(request) || _IOC_NR(known) != _IOC_NR(request)) continue;
    return known == request ? 0 : EINVAL;
  }
  return ENOTTY;
}

}  // namespace

extern "C" int kv_dev_register(const char* path, const kv_dev_ops* ops, void* cookie) {
  if (!path || !ops) return fail(EINVAL);
  std::lock_guard<std::mutex> lock(gLock);
  devices()[path] = Device{ops, cookie};
  return 0;
}

extern "C" int kv_dev_unregister(const char* path) {
  if (!path) return fail(EINVAL);
  std::lock_guard<std::mutex> lock(gLock);
  return devices().erase(path) ? 0 : fail(ENOENT);
}

extern "C" int kv_dev_open(const char* path, int flags) {
  if (!path) return fail(EINVAL);
  loadPlugins();
  Device device;
  {
    std::lock_guard<std::mutex> lock(gLock);
    auto it = devices().find(path);
    if (it == devices().end()) return kv_open(path, flags);
    device = it->second;
  }
  void* state = device.cookie;
  if (device.ops->open) {
    int r = device.ops->open(device.cookie, flags, &state);
    if (r < 0) return fail(-r);
  }
  // A real descriptor stands for the open file, so the number is unique and
  // the caller may poll it.
  int fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (fd < 0) {
    int e = errno;
    if (device.ops->close) device.ops->close(state);
    return fail(e);
  }
  std::lock_guard<std::mutex> lock(gLock);
  openFiles()[fd] = std::make_shared<OpenFile>(device, state);
  return fd;
}

extern "C" int kv_dev_ioctl(int fd, unsigned long request, void* arg) {
  auto file = lookup(fd);
  if (!file) return ioctl(fd, request, arg);
  const kv_dev_ops* ops = file->device.ops;
  if (int e = checkRequest(ops, request)) return fail(e);
  if (!ops->ioctl) return fail(ENOTTY);
  int r = ops->ioctl(file->state, request, arg);
  return r < 0 ? fail(-r) : r;
}

extern "C" void* kv_dev_mmap(void* addr, size_t length, int prot, int flags, int fd, off_t offset) {
  auto file = lookup(fd);
  if (!file) return mmap(addr, length, prot, flags, fd, offset);
  if (!file->device.ops->mmap) {
    errno = ENODEV;
    return MAP_FAILED;
  }
  int error = 0;
  void* p = file->device.ops->mmap(file->state, length, prot, flags, offset, &error);
  if (!p) {
    errno = error ? error : ENOMEM;
    return MAP_FAILED;
  }
  return p;
}

extern "C" int kv_dev_close(int fd) {
  std::shared_ptr<OpenFile> file;
  {
    std::lock_guard<std::mutex> lock(gLock);
    auto it = openFiles().find(fd);
    if (it != openFiles().end()) {
      file = it->second;
      openFiles().erase(it);
    }
  }
  file.reset();
  return close(fd);
}
