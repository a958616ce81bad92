// ashmem on memfd: a region is a sealable memfd whose size is fixed at creation.
#include <cutils/ashmem.h>

#include <errno.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef F_SEAL_FUTURE_WRITE
#define F_SEAL_FUTURE_WRITE 0x0010
#endif

extern "C" int ashmem_create_region(const char* name, size_t size) {
  if (size == 0) {
    errno = EINVAL;
    return -1;
  }
  int fd = memfd_create(name && *name ? name : "ashmem", MFD_CLOEXEC | MFD_ALLOW_SEALING);
  if (fd < 0) return -1;
  if (ftruncate(fd, static_cast<off_t>(size)) != 0 ||
      fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW) != 0) {
    int e = errno;
    close(fd);
    errno = e;
    return -1;
  }
  return fd;
}

extern "C" int ashmem_valid(int fd) {
  return fd >= 0 && fcntl(fd, F_GET_SEALS) >= 0 ? 1 : 0;
}

extern "C" int ashmem_set_prot_region(int fd, int prot) {
  if (!ashmem_valid(fd)) {
    errno = EINVAL;
    return -1;
  }
  if (prot & PROT_WRITE) return 0;
  // Later writable mappings are refused; existing ones stay, as with ashmem.
  if (fcntl(fd, F_ADD_SEALS, F_SEAL_FUTURE_WRITE) != 0 && errno != EINVAL) return -1;
  return 0;
}

extern "C" int ashmem_pin_region(int fd, size_t, size_t) {
  return ashmem_valid(fd) ? ASHMEM_NOT_PURGED : (errno = EINVAL, -1);
}

extern "C" int ashmem_unpin_region(int fd, size_t, size_t) {
  return ashmem_valid(fd) ? ASHMEM_IS_UNPINNED : (errno = EINVAL, -1);
}

extern "C" int ashmem_get_size_region(int fd) {
  if (!ashmem_valid(fd)) {
    if (errno != EBADF) errno = EINVAL;
    return -1;
  }
  struct stat st;
  if (fstat(fd, &st) != 0) return -1;
  return static_cast<int>(st.st_size);
}
