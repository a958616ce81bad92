/* Host stand-in of libboardinfo. The items of the simulated board come from
 * the properties "vendor.kv.hwinfo.<item>" (a number; unset or not a number
 * means the board does not have the item). */
#include "boardinfo.h"

#include <stdio.h>

#include <cutils/properties.h>

static int hwinfoValue(int item) {
  char key[PROPERTY_KEY_MAX + 16];
  snprintf(key, sizeof key, "vendor.kv.hwinfo.%d", item);
  return (int)property_get_int32(key, 0);
}

int proc_getHardwareInfoFor(int item) { return hwinfoValue(item); }

int hwinfo_int2str(int item, char* buf, size_t size) {
  if (buf == NULL || size == 0) {
    return -1;
  }
  int n = snprintf(buf, size, "%d", hwinfoValue(item));
  return n < 0 ? -1 : ((size_t)n >= size ? (int)size - 1 : n);
}
