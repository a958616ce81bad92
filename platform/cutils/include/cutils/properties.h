/* System properties (libcutils). On the host the store is a file of the
 * simulated handset, "/dev/__properties__/properties" under KV_ROOT, shared by
 * every process of that handset. */
#ifndef KV_CUTILS_PROPERTIES_H
#define KV_CUTILS_PROPERTIES_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Buffer sizes, terminating NUL included. A value has at most 91 characters. */
#define PROPERTY_KEY_MAX 32
#define PROPERTY_VALUE_MAX 92
/* Longest accepted property name (names longer than PROPERTY_KEY_MAX - 1 are
 * legal since Android 8). */
#define KV_PROPERTY_NAME_LIMIT 255

/* Copies the value (or default_value, or "" when that is NULL) into `value`,
 * which must hold PROPERTY_VALUE_MAX bytes; returns the length copied. */
int property_get(const char* key, char* value, const char* default_value);

/* 0 on success; -1 with errno EINVAL for an illegal name or a value that is too
 * long, EPERM for a second set of an "ro." property, EIO when the store cannot
 * be written. */
int property_set(const char* key, const char* value);

/* "1", "y", "yes", "on", "true" are true; "0", "n", "no", "off", "false" false;
 * anything else gives default_value. */
int8_t property_get_bool(const char* key, int8_t default_value);
/* The whole value must be a number in range, else default_value. */
int64_t property_get_int64(const char* key, int64_t default_value);
int32_t property_get_int32(const char* key, int32_t default_value);

/* Calls fn for every property, in name order. Returns 0, or -1 when the store
 * cannot be read. */
int property_list(void (*fn)(const char* key, const char* value, void* cookie), void* cookie);

#ifdef __cplusplus
}
#endif

#endif
