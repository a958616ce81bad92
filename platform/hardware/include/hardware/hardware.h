/* Hardware modules (libhardware). A HAL module is a shared library that exports
 * one `hw_module_t`-headed record under the symbol "HMI"; its methods open
 * devices whose records begin with a `hw_device_t`. The layouts are the Android
 * ABI of the handset's pointer size. */
#ifndef KV_HARDWARE_HARDWARE_H
#define KV_HARDWARE_HARDWARE_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define MAKE_TAG_CONSTANT(A, B, C, D) \
  (((uint32_t)(A) << 24) | ((uint32_t)(B) << 16) | ((uint32_t)(C) << 8) | (uint32_t)(D))

#define HARDWARE_MODULE_TAG MAKE_TAG_CONSTANT('H', 'W', 'M', 'T') /* 0x48574D54 */
#define HARDWARE_DEVICE_TAG MAKE_TAG_CONSTANT('H', 'W', 'D', 'T') /* 0x48574454 */

/* 16-bit versions: major in the high byte, minor in the low byte. */
#define HARDWARE_MAKE_API_VERSION(maj, min) ((((maj) & 0xff) << 8) | ((min) & 0xff))
/* 32-bit versions: major, minor, then a 16-bit header version. */
#define HARDWARE_MAKE_API_VERSION_2(maj, min, hdr) \
  ((((maj) & 0xff) << 24) | (((min) & 0xff) << 16) | ((hdr) & 0xffff))
#define HARDWARE_API_VERSION_2_MAJ_MIN_MASK 0xffff0000
#define HARDWARE_API_VERSION_2_HEADER_MASK 0x0000ffff

#define HARDWARE_HAL_API_VERSION HARDWARE_MAKE_API_VERSION(1, 0)

#define HARDWARE_MODULE_API_VERSION(maj, min) HARDWARE_MAKE_API_VERSION(maj, min)
#define HARDWARE_MODULE_API_VERSION_2(maj, min, hdr) HARDWARE_MAKE_API_VERSION_2(maj, min, hdr)
#define HARDWARE_DEVICE_API_VERSION(maj, min) HARDWARE_MAKE_API_VERSION(maj, min)
#define HARDWARE_DEVICE_API_VERSION_2(maj, min, hdr) HARDWARE_MAKE_API_VERSION_2(maj, min, hdr)

/* The exported module record and its name as dlsym sees it. */
#define HAL_MODULE_INFO_SYM HMI
#define HAL_MODULE_INFO_SYM_AS_STR "HMI"

/* Reserved words are pointer-sized on the handset: 64-bit on LP64. */
#if defined(__LP64__)
typedef uint64_t hw_reserved_word_t;
#else
typedef uint32_t hw_reserved_word_t;
#endif

struct hw_module_t;
struct hw_module_methods_t;
struct hw_device_t;

typedef struct hw_module_t {
  uint32_t tag; /* HARDWARE_MODULE_TAG */
  uint16_t module_api_version;
  uint16_t hal_api_version; /* HARDWARE_HAL_API_VERSION */
  const char* id;
  const char* name;
  const char* author;
  struct hw_module_methods_t* methods;
  void* dso; /* set by hw_get_module to the library's handle */
  hw_reserved_word_t reserved[32 - 7];
} hw_module_t;

typedef struct hw_module_methods_t {
  int (*open)(const struct hw_module_t* module, const char* id, struct hw_device_t** device);
} hw_module_methods_t;

typedef struct hw_device_t {
  uint32_t tag; /* HARDWARE_DEVICE_TAG */
  uint32_t version;
  struct hw_module_t* module;
  hw_reserved_word_t reserved[12];
  int (*close)(struct hw_device_t* device);
} hw_device_t;

/* Finds and loads the module `id` (see hw_get_module_by_class). */
int hw_get_module(const char* id, const struct hw_module_t** module);

/* Loads the module named "<class_id>.<inst>" (just class_id when inst is NULL),
 * trying the variants named by the properties "ro.hardware.<name>",
 * "ro.hardware", "ro.product.board", "ro.board.platform", "ro.arch" and then
 * "default", in the folders /odm, /vendor and /system "<lib>/hw" (after the
 * folder $KV_HW_PATH when set). The module's id must equal class_id.
 * 0 with *module set; -ENOENT when no library exists; -EINVAL when one exists
 * but cannot be loaded, exports no module or has another id, and for bad
 * arguments. *module is NULL after a failure. */
int hw_get_module_by_class(const char* class_id, const char* inst,
                           const struct hw_module_t** module);

/* Layouts, LP64 and 32-bit. */
#ifdef __cplusplus
#define KV_HW_STATIC_ASSERT static_assert
#else
#define KV_HW_STATIC_ASSERT _Static_assert
#endif

#if defined(__LP64__)
KV_HW_STATIC_ASSERT(sizeof(void*) == 8, "LP64 build with 8-byte pointers");
KV_HW_STATIC_ASSERT(sizeof(struct hw_module_t) == 248, "hw_module_t size");
KV_HW_STATIC_ASSERT(offsetof(struct hw_module_t, id) == 8, "hw_module_t.id");
KV_HW_STATIC_ASSERT(offsetof(struct hw_module_t, methods) == 32, "hw_module_t.methods");
KV_HW_STATIC_ASSERT(offsetof(struct hw_module_t, dso) == 40, "hw_module_t.dso");
KV_HW_STATIC_ASSERT(offsetof(struct hw_module_t, reserved) == 48, "hw_module_t.reserved");
KV_HW_STATIC_ASSERT(sizeof(struct hw_device_t) == 120, "hw_device_t size");
KV_HW_STATIC_ASSERT(offsetof(struct hw_device_t, module) == 8, "hw_device_t.module");
KV_HW_STATIC_ASSERT(offsetof(struct hw_device_t, close) == 112, "hw_device_t.close");
#else
KV_HW_STATIC_ASSERT(sizeof(void*) == 4, "32-bit build with 4-byte pointers");
KV_HW_STATIC_ASSERT(sizeof(struct hw_module_t) == 128, "hw_module_t size");
KV_HW_STATIC_ASSERT(offsetof(struct hw_module_t, id) == 8, "hw_module_t.id");
KV_HW_STATIC_ASSERT(offsetof(struct hw_module_t, methods) == 20, "hw_module_t.methods");
KV_HW_STATIC_ASSERT(offsetof(struct hw_module_t, dso) == 24, "hw_module_t.dso");
KV_HW_STATIC_ASSERT(offsetof(struct hw_module_t, reserved) == 28, "hw_module_t.reserved");
KV_HW_STATIC_ASSERT(sizeof(struct hw_device_t) == 64, "hw_device_t size");
KV_HW_STATIC_ASSERT(offsetof(struct hw_device_t, module) == 8, "hw_device_t.module");
KV_HW_STATIC_ASSERT(offsetof(struct hw_device_t, close) == 60, "hw_device_t.close");
#endif
KV_HW_STATIC_ASSERT(offsetof(struct hw_module_t, module_api_version) == 4,
                    "hw_module_t.module_api_version");
KV_HW_STATIC_ASSERT(offsetof(struct hw_module_t, hal_api_version) == 6,
                    "hw_module_t.hal_api_version");
KV_HW_STATIC_ASSERT(offsetof(struct hw_device_t, version) == 4, "hw_device_t.version");

#ifdef __cplusplus
}
#endif

#endif
