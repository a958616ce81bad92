// Resolution of handset paths under the simulated root named by KV_ROOT.
#include "kv/path.h"

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdarg.h>
#include <string.h>
#include <sys/inotify.h>
#include <unistd.h>

extern "C" const char* kv_root(void) {
  const char* root = getenv("KV_ROOT");
  return (root && *root) ? root : nullptr;
}

extern "C" char* kv_resolve_path(const char* path, char* buf, size_t size) {
  if (!path || !buf || size == 0) {
    errno = EINVAL;
    return nullptr;
  }
  const char* root = kv_root();
  size_t pathLen = strlen(path);
  size_t rootLen = root ? strlen(root) : 0;
  while (rootLen > 1 && root[rootLen - 1] == '/') --rootLen;  // "root/" and "root" alike
  bool underRoot = root && path[0] == '/' &&
                   !(strncmp(path, root, rootLen) == 0 &&
                     (path[rootLen] == '/' || path[rootLen] == '\0'));
  size_t prefix = underRoot ? rootLen : 0;
  if (prefix + pathLen + 1 > size) {
    errno = ENAMETOOLONG;
    return nullptr;
  }
  if (prefix) memcpy(buf, root, prefix);
  memcpy(buf + prefix, path, pathLen + 1);
  return buf;
}

namespace kv {
std::string resolvePath(const char* path) {
  char buf[PATH_MAX];
  return kv_resolve_path(path, buf, sizeof buf) ? std::string(buf) : std::string();
}
}  // namespace kv

// Each wrapper resolves into a PATH_MAX buffer and fails with ENAMETOOLONG when
// the resolved path would not fit, exactly as the call itself would.
#define KV_RESOLVE_OR(path, var, fail)              \
  char var[PATH_MAX];                               \
  if (!kv_resolve_path(path, var, sizeof var)) return fail

extern "C" int kv_open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if (flags & (O_CREAT | O_TMPFILE)) {
    va_list ap;
    va_start(ap, flags);
    mode = static_cast<mode_t>(va_arg(ap, int));
    va_end(ap);
  }
  KV_RESOLVE_OR(path, p, -1);
  return open(p, flags, mode);
}

extern "C" FILE* kv_fopen(const char* path, const char* mode) {
  KV_RESOLVE_OR(path, p, nullptr);
  return fopen(p, mode);
}

extern "C" int kv_stat(const char* path, struct stat* st) {
  KV_RESOLVE_OR(path, p, -1);
  return stat(p, st);
}

extern "C" int kv_lstat(const char* path, struct stat* st) {
  KV_RESOLVE_OR(path, p, -1);
  return lstat(p, st);
}

extern "C" int kv_access(const char* path, int mode) {
  KV_RESOLVE_OR(path, p, -1);
  return access(p, mode);
}

extern "C" int kv_mkdir(const char* path, mode_t mode) {
  KV_RESOLVE_OR(path, p, -1);
  return mkdir(p, mode);
}

extern "C" int kv_unlink(const char* path) {
  KV_RESOLVE_OR(path, p, -1);
  return unlink(p);
}

extern "C" int kv_rename(const char* from, const char* to) {
  KV_RESOLVE_OR(from, f, -1);
  KV_RESOLVE_OR(to, t, -1);
  return rename(f, t);
}

extern "C" int kv_chmod(const char* path, mode_t mode) {
  KV_RESOLVE_OR(path, p, -1);
  return chmod(p, mode);
}

extern "C" DIR* kv_opendir(const char* path) {
  KV_RESOLVE_OR(path, p, nullptr);
  return opendir(p);
}

extern "C" int kv_scandir(const char* path, struct dirent*** list,
                          int (*filter)(const struct dirent*),
                          int (*compar)(const struct dirent**, const struct dirent**)) {
  KV_RESOLVE_OR(path, p, -1);
  return scandir(p, list, filter, compar);
}

extern "C" int kv_inotify_add_watch(int fd, const char* path, unsigned int mask) {
  KV_RESOLVE_OR(path, p, -1);
  return inotify_add_watch(fd, p, mask);
}

extern "C" void* kv_dlopen(const char* path, int flags) {
  // A bare library name is looked up by the dynamic linker, not in the root.
  if (!path || !strchr(path, '/')) return dlopen(path, flags);
  KV_RESOLVE_OR(path, p, nullptr);
  return dlopen(p, flags);
}
