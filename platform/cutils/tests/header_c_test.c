/* The public headers of libcutils compile as C. */
#include <cutils/ashmem.h>
#include <cutils/native_handle.h>
#include <cutils/properties.h>
#include <cutils/sockets.h>

_Static_assert(sizeof(native_handle_t) == 12, "native_handle_t header is three ints");
_Static_assert(PROPERTY_VALUE_MAX == 92, "Android's value buffer size");

int kv_cutils_header_c_check(void) {
  char value[PROPERTY_VALUE_MAX];
  return property_get("x", value, "") + ANDROID_SOCKET_NAMESPACE_ABSTRACT;
}
