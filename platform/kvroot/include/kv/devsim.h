/* Character devices that answer ioctl (the display manager, the TEE driver).
 * Components open, ioctl, mmap and close such a device through these calls with
 * its handset path. On the handset they are the plain system calls. On the host
 * a simulator registered for the path answers instead: in-process through
 * kv_dev_register, or from a plugin library named in KV_DEVSIM_PLUGINS
 * (colon-separated paths; each plugin's exported `kv_devsim_init` is called once,
 * before the first open). A path with no simulator is opened for real. */
#ifndef KV_DEVSIM_H
#define KV_DEVSIM_H

#include <stddef.h>
#include <sys/types.h>

#ifdef __cplusplus
extern "C" {
#endif

int kv_dev_open(const char* path, int flags);
int kv_dev_ioctl(int fd, unsigned long request, void* arg);
void* kv_dev_mmap(void* addr, size_t length, int prot, int flags, int fd, off_t offset);
int kv_dev_close(int fd);

/* A simulated device. `requests` lists every ioctl number the device knows: a
 * number whose type and ordinal are not listed fails with ENOTTY, one that is
 * listed with another direction or record size fails with EINVAL, as a kernel
 * driver rejects them; only matching numbers reach `ioctl`. Callbacks return 0
 * or more for success and a negative errno for failure. */
typedef struct kv_dev_ops {
  const unsigned long* requests;
  size_t request_count;
  /* Per-open state in *state; may be NULL (then state is the cookie). */
  int (*open)(void* cookie, int flags, void** state);
  int (*ioctl)(void* state, unsigned long request, void* arg);
  /* Returns the mapping or NULL with *error set; NULL callback: ENODEV. */
  void* (*mmap)(void* state, size_t length, int prot, int flags, off_t offset, int* error);
  void (*close)(void* state);
} kv_dev_ops;

/* Registers (or replaces) the simulator of a handset path. ops must outlive the
 * registration. Returns 0, or -1 with errno EINVAL. */
int kv_dev_register(const char* path, const kv_dev_ops* ops, void* cookie);
/* Removes it; descriptors already open keep working until closed. */
int kv_dev_unregister(const char* path);

#ifdef __cplusplus
}
#endif

#endif
