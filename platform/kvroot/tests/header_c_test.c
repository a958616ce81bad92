/* The public headers of this library compile as C. */
#include "kv/devsim.h"
#include "kv/path.h"

int kv_header_c_check(void) {
  kv_dev_ops ops = {0};
  char buf[16];
  return ops.request_count == 0 && kv_resolve_path("x", buf, sizeof buf) != 0;
}
