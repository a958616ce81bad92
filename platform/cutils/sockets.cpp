// Local sockets by Android namespace. On a simulated handset every name is
// confined to that handset: file names under KV_ROOT, and abstract names tagged
// with the root, so two handsets on one host never meet each other's servers.
#include <cutils/sockets.h>

#include <errno.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "kv/path.h"

namespace {

constexpr int kListenBacklog = 4;

// Builds the address; returns its length or -1 with errno.
int makeAddress(const char* name, int ns, sockaddr_un* addr) {
  if (!name) {
    errno = EINVAL;
    return -1;
  }
  memset(addr, 0, sizeof *addr);
  addr->sun_family = AF_LOCAL;
  char path[sizeof addr->sun_path + 64];
  size_t len;
  switch (ns) {
    case ANDROID_SOCKET_NAMESPACE_ABSTRACT: {
      const char* root = kv_root();
      if (root) {
        uint64_t h = 1469598103934665603ull;  // FNV-1a of the root
        for (const char* p = root; *p; ++p) h = (h ^ static_cast<unsigned char>(*p)) * 1099511628211ull;
        len = static_cast<size_t>(snprintf(path, sizeof path, "%s@kv%016llx", name,
                                           static_cast<unsigned long long>(h)));
      } else {
        len = static_cast<size_t>(snprintf(path, sizeof path, "%s", name));
      }
      if (len + 1 > sizeof addr->sun_path) {
        errno = ENAMETOOLONG;
        return -1;
      }
      addr->sun_path[0] = '\0';  // abstract: leading NUL, no terminator
      memcpy(addr->sun_path + 1, path, len);
      return static_cast<int>(offsetof(sockaddr_un, sun_path) + 1 + len);
    }
    case ANDROID_SOCKET_NAMESPACE_RESERVED: {
      char handset[sizeof addr->sun_path + 64];
      if (snprintf(handset, sizeof handset, "/dev/socket/%s", name) >= static_cast<int>(sizeof handset)) {
        errno = ENAMETOOLONG;
        return -1;
      }
      if (!kv_resolve_path(handset, path, sizeof path)) return -1;
      break;
    }
    case ANDROID_SOCKET_NAMESPACE_FILESYSTEM:
      if (!kv_resolve_path(name, path, sizeof path)) return -1;
      break;
    default:
      errno = EINVAL;
      return -1;
  }
  len = strlen(path);
  if (len + 1 > sizeof addr->sun_path) {
    errno = ENAMETOOLONG;
    return -1;
  }
  memcpy(addr->sun_path, path, len + 1);
  return static_cast<int>(offsetof(sockaddr_un, sun_path) + len + 1);
}

int closeFailing(int fd) {
  int e = errno;
  close(fd);
  errno = e;
  return -1;
}

}  // namespace

extern "C" int socket_local_client_connect(int fd, const char* name, int ns, int) {
  sockaddr_un addr;
  int len = makeAddress(name, ns, &addr);
  if (len < 0) return -1;
  int r;
  do {
    r = connect(fd, reinterpret_cast<sockaddr*>(&addr), static_cast<socklen_t>(len));
  } while (r < 0 && errno == EINTR);
  return r < 0 ? -1 : fd;
}

extern "C" int socket_local_client(const char* name, int ns, int type) {
  int fd = socket(AF_LOCAL, type | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (socket_local_client_connect(fd, name, ns, type) < 0) return closeFailing(fd);
  return fd;
}

extern "C" int socket_local_server_bind(int fd, const char* name, int ns) {
  sockaddr_un addr;
  int len = makeAddress(name, ns, &addr);
  if (len < 0) return -1;
  if (ns != ANDROID_SOCKET_NAMESPACE_ABSTRACT) unlink(addr.sun_path);  // a stale socket file
  int on = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  return bind(fd, reinterpret_cast<sockaddr*>(&addr), static_cast<socklen_t>(len)) < 0 ? -1 : 0;
}

extern "C" int socket_local_server(const char* name, int ns, int type) {
  int fd = socket(AF_LOCAL, type | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (socket_local_server_bind(fd, name, ns) < 0) return closeFailing(fd);
  if ((type == SOCK_STREAM || type == SOCK_SEQPACKET) && listen(fd, kListenBacklog) < 0)
    return closeFailing(fd);
  return fd;
}
