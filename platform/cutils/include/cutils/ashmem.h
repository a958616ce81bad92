/* Anonymous shared memory regions (libcutils ashmem), on memfd. */
#ifndef KV_CUTILS_ASHMEM_H
#define KV_CUTILS_ASHMEM_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#define ASHMEM_NOT_PURGED 0
#define ASHMEM_WAS_PURGED 1
#define ASHMEM_IS_UNPINNED 0
#define ASHMEM_IS_PINNED 1

/* A new region of `size` bytes (zero-filled); a descriptor, or -1 with errno. */
int ashmem_create_region(const char* name, size_t size);
/* 1 when fd is a shared-memory region, else 0. */
int ashmem_valid(int fd);
/* Restricts the protection of later mappings; 0, or -1 with errno. */
int ashmem_set_prot_region(int fd, int prot);
int ashmem_pin_region(int fd, size_t offset, size_t len);
int ashmem_unpin_region(int fd, size_t offset, size_t len);
/* The region's size, or -1 with errno (EBADF, or EINVAL for a non-region). */
int ashmem_get_size_region(int fd);

#ifdef __cplusplus
}
#endif

#endif
