#include "File.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include <kv/path.h>

namespace android {

namespace {

struct OpenMode {
  const char* name;
  int flags;
};
constexpr OpenMode kModes[] = {
    {"r", O_RDONLY},
    {"w", O_WRONLY | O_CREAT | O_TRUNC},
    {"rw", O_RDWR | O_CREAT},
};
constexpr mode_t kCreateMode = 0664;

}  // namespace

File::File(const char* path, const char* mode) { setTo(path, mode); }

File::~File() { close(); }

status_t File::setTo(const char* path, const char* mode) {
  close();
  const OpenMode* found = nullptr;
  if (mode) {
    for (const OpenMode& m : kModes)
      if (strcmp(m.name, mode) == 0) found = &m;
  }
  if (!path || !found) {
    mInitCheck = -EINVAL;
    return mInitCheck;
  }
  int fd;
  do {
    fd = kv_open(path, found->flags | O_CLOEXEC, kCreateMode);
  } while (fd < 0 && errno == EINTR);
  mFd = fd;
  mInitCheck = fd < 0 ? -errno : OK;
  return mInitCheck;
}

status_t File::close() {
  status_t err = OK;
  if (mFd >= 0) {
    // The descriptor is gone after close even when it reports an error, so it
    // is never retried.
    if (::close(mFd) < 0 && errno != EINTR) err = -errno;
    mFd = -1;
  }
  mInitCheck = NO_INIT;
  return err;
}

ssize_t File::read(void* data, size_t size) {
  if (mFd < 0) return NO_INIT;
  char* p = static_cast<char*>(data);
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::read(mFd, p + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return -errno;
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

ssize_t File::write(const void* data, size_t size) {
  if (mFd < 0) return NO_INIT;
  const char* p = static_cast<const char*>(data);
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::write(mFd, p + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return -errno;
    }
    if (n == 0) return -EIO;
    done += static_cast<size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

off_t File::seekTo(off_t pos, int whence) {
  if (mFd < 0) return NO_INIT;
  off_t r = lseek(mFd, pos, whence);
  return r < 0 ? -errno : r;
}

status_t File::sync() {
  if (mFd < 0) return NO_INIT;
  return fsync(mFd) < 0 ? -errno : OK;
}

}  // namespace android
