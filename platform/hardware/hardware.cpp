// Finding and loading HAL modules by id, as libhardware does on the handset.
#define LOG_TAG "HAL"

#include <hardware/hardware.h>

#include <cutils/properties.h>
#include <dlfcn.h>
#include <errno.h>
#include <kv/path.h>
#include <limits.h>
#include <log/log.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

namespace {

// Properties naming the variant ("<name>.<variant>.so"), after "ro.hardware.<name>".
constexpr const char* kVariantKeys[] = {
    "ro.hardware",
    "ro.product.board",
    "ro.board.platform",
    "ro.arch",
};

constexpr const char* kLibDir = sizeof(void*) == 8 ? "lib64" : "lib";

// Handset partitions holding "<lib>/hw", in search order.
constexpr const char* kPartitions[] = {"odm", "vendor", "system"};

// snprintf that reports truncation instead of silently cutting the text.
__attribute__((format(printf, 3, 4))) bool formatInto(char* buf, size_t size, const char* fmt,
                                                      ...) {
  va_list ap;
  va_start(ap, fmt);
  int n = vsnprintf(buf, size, fmt, ap);
  va_end(ap);
  return n >= 0 && static_cast<size_t>(n) < size;
}

// A module name or variant is one file-name component.
bool isComponent(const char* s) { return *s != '\0' && strchr(s, '/') == nullptr; }

// Finds "<folder>/<name>.<variant>.so", trying $KV_HW_PATH (a host folder) and
// then the handset folders resolved under KV_ROOT. On success `path` holds the
// host path of the library.
bool findLibrary(const char* name, const char* variant, char* path, size_t size) {
  if (!isComponent(variant)) return false;
  const char* hostDir = getenv("KV_HW_PATH");
  if (hostDir && *hostDir &&
      formatInto(path, size, "%s/%s.%s.so", hostDir, name, variant) && access(path, R_OK) == 0) {
    return true;
  }
  for (const char* partition : kPartitions) {
    char handsetPath[PATH_MAX];
    if (!formatInto(handsetPath, sizeof handsetPath, "/%s/%s/hw/%s.%s.so", partition, kLibDir,
                    name, variant)) {
      continue;
    }
    if (kv_resolve_path(handsetPath, path, size) && access(path, R_OK) == 0) return true;
  }
  return false;
}

// Loads the library at `path` and checks that its module record has `id`.
int loadModule(const char* id, const char* path, const hw_module_t** module) {
  void* handle = dlopen(path, RTLD_NOW);
  if (!handle) {
    const char* err = dlerror();
    ALOGE("load: module=%s\n%s", path, err ? err : "unknown error");
    return -EINVAL;
  }
  auto* hmi = static_cast<hw_module_t*>(dlsym(handle, HAL_MODULE_INFO_SYM_AS_STR));
  if (!hmi) {
    ALOGE("load: couldn't find symbol %s in %s", HAL_MODULE_INFO_SYM_AS_STR, path);
    dlclose(handle);
    return -EINVAL;
  }
  if (!hmi->id || strcmp(id, hmi->id) != 0) {
    ALOGE("load: id=%s != hmi->id=%s in %s", id, hmi->id ? hmi->id : "(null)", path);
    dlclose(handle);
    return -EINVAL;
  }
  hmi->dso = handle;
  *module = hmi;
  ALOGV("loaded HAL id=%s path=%s hmi=%p handle=%p", id, path, static_cast<void*>(hmi), handle);
  return 0;
}

// Locates the library for `name`, variant by variant; false when none exists.
bool locateModule(const char* name, char* path, size_t size) {
  char key[KV_PROPERTY_NAME_LIMIT + 1];
  char value[PROPERTY_VALUE_MAX];
  if (formatInto(key, sizeof key, "ro.hardware.%s", name) && property_get(key, value, nullptr) > 0 &&
      findLibrary(name, value, path, size)) {
    return true;
  }
  for (const char* variantKey : kVariantKeys) {
    if (property_get(variantKey, value, nullptr) > 0 && findLibrary(name, value, path, size)) {
      return true;
    }
  }
  return findLibrary(name, "default", path, size);
}

}  // namespace

extern "C" int hw_get_module_by_class(const char* class_id, const char* inst,
                                      const struct hw_module_t** module) {
  if (!module) return -EINVAL;
  *module = nullptr;
  if (!class_id || !isComponent(class_id) || (inst && !isComponent(inst))) return -EINVAL;

  char name[PATH_MAX];
  bool fits = inst ? formatInto(name, sizeof name, "%s.%s", class_id, inst)
                   : formatInto(name, sizeof name, "%s", class_id);
  if (!fits) {
    ALOGE("hw_get_module: module name too long (class %.32s...)", class_id);
    return -EINVAL;
  }

  char path[PATH_MAX];
  if (!locateModule(name, path, sizeof path)) return -ENOENT;
  return loadModule(class_id, path, module);
}

extern "C" int hw_get_module(const char* id, const struct hw_module_t** module) {
  return hw_get_module_by_class(id, nullptr, module);
}
