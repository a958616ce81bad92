// Native handles: a header followed by numFds descriptors and numInts integers.
#include <cutils/native_handle.h>

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

namespace {

bool validCounts(int numFds, int numInts) {
  return numFds >= 0 && numInts >= 0 && numFds <= NATIVE_HANDLE_MAX_FDS &&
         numInts <= NATIVE_HANDLE_MAX_INTS;
}

bool validHandle(const native_handle_t* h) {
  return h && h->version == static_cast<int>(sizeof(native_handle_t)) &&
         validCounts(h->numFds, h->numInts);
}

}  // namespace

extern "C" native_handle_t* native_handle_init(char* storage, int numFds, int numInts) {
  if (!storage || !validCounts(numFds, numInts)) return nullptr;
  auto* h = reinterpret_cast<native_handle_t*>(storage);
  h->version = sizeof(native_handle_t);
  h->numFds = numFds;
  h->numInts = numInts;
  memset(h->data, 0, sizeof(int) * static_cast<size_t>(numFds + numInts));
  return h;
}

extern "C" native_handle_t* native_handle_create(int numFds, int numInts) {
  if (!validCounts(numFds, numInts)) {
    errno = EINVAL;
    return nullptr;
  }
  size_t bytes = sizeof(native_handle_t) + sizeof(int) * static_cast<size_t>(numFds + numInts);
  char* storage = static_cast<char*>(malloc(bytes));
  return storage ? native_handle_init(storage, numFds, numInts) : nullptr;
}

extern "C" native_handle_t* native_handle_clone(const native_handle_t* handle) {
  if (!validHandle(handle)) {
    errno = EINVAL;
    return nullptr;
  }
  native_handle_t* clone = native_handle_create(handle->numFds, handle->numInts);
  if (!clone) return nullptr;
  for (int i = 0; i < handle->numFds; ++i) {
    clone->data[i] = fcntl(handle->data[i], F_DUPFD_CLOEXEC, 0);
    if (clone->data[i] < 0) {
      int e = errno;
      clone->numFds = i;
      native_handle_close(clone);
      native_handle_delete(clone);
      errno = e;
      return nullptr;
    }
  }
  memcpy(&clone->data[handle->numFds], &handle->data[handle->numFds],
         sizeof(int) * static_cast<size_t>(handle->numInts));
  return clone;
}

extern "C" int native_handle_close(const native_handle_t* handle) {
  if (!validHandle(handle)) return -EINVAL;
  int result = 0;
  for (int i = 0; i < handle->numFds; ++i)
    if (close(handle->data[i]) != 0 && result == 0) result = -errno;
  return result;
}

extern "C" int native_handle_delete(native_handle_t* handle) {
  if (!handle) return 0;
  if (!validHandle(handle)) return -EINVAL;
  handle->version = 0;
  free(handle);
  return 0;
}
