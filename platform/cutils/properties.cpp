// System properties on a file shared by every process of the simulated handset.
// Writers serialise on a lock file and replace the store atomically (rename),
// so readers always see a whole store without taking the lock.
#include <cutils/properties.h>

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <sys/file.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <string>

#include "kv/path.h"

namespace {

constexpr const char* kStoreDir = "/dev/__properties__";
constexpr const char* kStorePath = "/dev/__properties__/properties";
constexpr const char* kLockPath = "/dev/__properties__/.lock";

using Store = std::map<std::string, std::string>;

// Legal names: letters, digits and "_-@:.", no empty segment between dots.
bool legalName(const char* name) {
  size_t len = strlen(name);
  if (len == 0 || len > KV_PROPERTY_NAME_LIMIT) return false;
  if (name[0] == '.' || name[len - 1] == '.') return false;
  for (size_t i = 0; i < len; ++i) {
    char c = name[i];
    if (c == '.') {
      if (name[i + 1] == '.') return false;
      continue;
    }
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '_' || c == '-' || c == '@' || c == ':';
    if (!ok) return false;
  }
  return true;
}

// One "name=value" line per property; backslash and newline are escaped.
std::string encode(const Store& store) {
  std::string out;
  for (const auto& [name, value] : store) {
    out += name;
    out += '=';
    for (char c : value) {
      if (c == '\\') out += "\\\\";
      else if (c == '\n') out += "\\n";
      else out += c;
    }
    out += '\n';
  }
  return out;
}

Store decode(const std::string& text) {
  Store store;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    size_t eq = text.find('=', pos);
    if (eq != std::string::npos && eq < end) {
      std::string value;
      for (size_t i = eq + 1; i < end; ++i) {
        if (text[i] == '\\' && i + 1 < end) {
          ++i;
          value += text[i] == 'n' ? '\n' : text[i];
        } else {
          value += text[i];
        }
      }
      store[text.substr(pos, eq - pos)] = value;
    }
    pos = end + 1;
  }
  return store;
}

bool readStore(Store* store) {
  int fd = kv_open(kStorePath, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    store->clear();
    return errno == ENOENT;  // an empty handset has no store yet
  }
  std::string text;
  char buf[4096];
  ssize_t n;
  while ((n = read(fd, buf, sizeof buf)) > 0) text.append(buf, static_cast<size_t>(n));
  close(fd);
  if (n < 0) return false;
  *store = decode(text);
  return true;
}

bool writeAll(int fd, const std::string& data) {
  const char* p = data.data();
  size_t left = data.size();
  while (left > 0) {
    ssize_t n = write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

bool writeStore(const Store& store) {
  char tmp[64];
  snprintf(tmp, sizeof tmp, "%s.%d.%ld", kStorePath, static_cast<int>(getpid()),
           static_cast<long>(syscall(SYS_gettid)));
  int fd = kv_open(tmp, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = writeAll(fd, encode(store));
  close(fd);
  if (ok && kv_rename(tmp, kStorePath) == 0) return true;
  kv_unlink(tmp);
  return false;
}

class StoreLock {
 public:
  StoreLock() {
    kv_mkdir(kStoreDir, 0755);
    fd_ = kv_open(kLockPath, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ >= 0 && flock(fd_, LOCK_EX) != 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~StoreLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
  }
  StoreLock(const StoreLock&) = delete;
  StoreLock& operator=(const StoreLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_;
};

int failWith(int error) {
  errno = error;
  return -1;
}

}  // namespace

extern "C" int property_get(const char* key, char* value, const char* default_value) {
  if (!value) return 0;
  const char* src = default_value ? default_value : "";
  Store store;
  std::string found;
  if (key && readStore(&store)) {
    auto it = store.find(key);
    if (it != store.end()) {
      found = it->second;
      src = found.c_str();
    }
  }
  size_t len = strnlen(src, PROPERTY_VALUE_MAX - 1);
  memcpy(value, src, len);
  value[len] = '\0';
  return static_cast<int>(len);
}

extern "C" int property_set(const char* key, const char* value) {
  if (!key || !legalName(key)) return failWith(EINVAL);
  if (!value) value = "";
  if (strlen(value) >= PROPERTY_VALUE_MAX) return failWith(EINVAL);
  StoreLock lock;
  if (!lock.held()) return failWith(EIO);
  Store store;
  if (!readStore(&store)) return failWith(EIO);
  if (strncmp(key, "ro.", 3) == 0 && store.count(key)) return failWith(EPERM);
  store[key] = value;
  return writeStore(store) ? 0 : failWith(EIO);
}

extern "C" int8_t property_get_bool(const char* key, int8_t default_value) {
  char buf[PROPERTY_VALUE_MAX];
  if (property_get(key, buf, "") == 0) return default_value;
  static const char* const yes[] = {"1", "y", "yes", "on", "true"};
  static const char* const no[] = {"0", "n", "no", "off", "false"};
  for (const char* s : yes)
    if (strcmp(buf, s) == 0) return 1;
  for (const char* s : no)
    if (strcmp(buf, s) == 0) return 0;
  return default_value;
}

extern "C" int64_t property_get_int64(const char* key, int64_t default_value) {
  char buf[PROPERTY_VALUE_MAX];
  if (property_get(key, buf, "") == 0) return default_value;
  errno = 0;
  char* end = nullptr;
  long long v = strtoll(buf, &end, 0);
  if (errno != 0 || end == buf || *end != '\0') return default_value;
  return v;
}

extern "C" int32_t property_get_int32(const char* key, int32_t default_value) {
  int64_t v = property_get_int64(key, INT64_MIN);
  if (v == INT64_MIN || v < INT32_MIN || v > INT32_MAX) return default_value;
  return static_cast<int32_t>(v);
}

extern "C" int property_list(void (*fn)(const char*, const char*, void*), void* cookie) {
  Store store;
  if (!fn || !readStore(&store)) return -1;
  for (const auto& [name, value] : store) fn(name.c_str(), value.c_str(), cookie);
  return 0;
}
