/* Handset paths. Components keep the handset's absolute paths ("/dev/m_acc_misc",
 * "/vendor/etc/...") and reach the file system only through these calls. When the
 * environment variable KV_ROOT names a directory, an absolute path is resolved
 * under it (the simulated handset); when it is unset the path is used unchanged,
 * which is the behaviour on the handset. */
#ifndef KV_PATH_H
#define KV_PATH_H

#include <dirent.h>
#include <stddef.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/types.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The simulated root, or NULL on the handset. */
const char* kv_root(void);

/* Resolves `path` into `buf` (size `size`). Returns buf, or NULL with errno
 * ENAMETOOLONG when the result does not fit (nothing is written past buf). A
 * relative path, or one already under KV_ROOT, is copied unchanged. */
char* kv_resolve_path(const char* path, char* buf, size_t size);

int kv_open(const char* path, int flags, ...);
FILE* kv_fopen(const char* path, const char* mode);
int kv_stat(const char* path, struct stat* st);
int kv_lstat(const char* path, struct stat* st);
int kv_access(const char* path, int mode);
int kv_mkdir(const char* path, mode_t mode);
int kv_unlink(const char* path);
int kv_rename(const char* from, const char* to);
int kv_chmod(const char* path, mode_t mode);
DIR* kv_opendir(const char* path);
int kv_scandir(const char* path, struct dirent*** list,
               int (*filter)(const struct dirent*),
               int (*compar)(const struct dirent**, const struct dirent**));
int kv_inotify_add_watch(int fd, const char* path, unsigned int mask);
void* kv_dlopen(const char* path, int flags);

#ifdef __cplusplus
}

#include <string>

namespace kv {
// The resolved path as a string (empty string when it would not fit PATH_MAX).
std::string resolvePath(const char* path);
inline std::string resolvePath(const std::string& path) { return resolvePath(path.c_str()); }
}  // namespace kv
#endif

#endif
