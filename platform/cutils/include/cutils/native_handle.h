/* Native handles: a set of descriptors and integers passed between components. */
#ifndef KV_CUTILS_NATIVE_HANDLE_H
#define KV_CUTILS_NATIVE_HANDLE_H

#ifdef __cplusplus
extern "C" {
#endif

#define NATIVE_HANDLE_MAX_FDS 1024
#define NATIVE_HANDLE_MAX_INTS 1024

typedef struct native_handle {
  int version; /* sizeof(native_handle_t) */
  int numFds;
  int numInts;
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wzero-length-array"
#endif
  int data[0]; /* numFds descriptors, then numInts integers */
#if defined(__clang__)
#pragma clang diagnostic pop
#endif
} native_handle_t;

typedef const native_handle_t* buffer_handle_t;

/* NULL with errno EINVAL when a count is negative or above its limit. */
native_handle_t* native_handle_create(int numFds, int numInts);
/* Initialises caller storage of the right size; returns it. */
native_handle_t* native_handle_init(char* storage, int numFds, int numInts);
/* A new handle with duplicated descriptors and copied integers; NULL on failure
 * (nothing is left open). */
native_handle_t* native_handle_clone(const native_handle_t* handle);
/* Closes the descriptors; 0, or -EINVAL for a bad handle. */
int native_handle_close(const native_handle_t* handle);
/* Frees the handle (not its descriptors); 0, or -EINVAL for a bad handle. */
int native_handle_delete(native_handle_t* handle);

#ifdef __cplusplus
}
#endif

#endif
