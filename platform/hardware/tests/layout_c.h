/* Record sizes as a C translation unit sees them, for comparison with C++. */
#ifndef KV_HARDWARE_TEST_LAYOUT_C_H
#define KV_HARDWARE_TEST_LAYOUT_C_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

struct kv_hal_layout {
  size_t hw_module;
  size_t hw_device;
  size_t sensors_module;
  size_t sensors_poll_device_1;
  size_t sensor;
  size_t sensors_event;
  size_t sensors_direct_mem;
  size_t event_flags_offset;
  size_t poll_device_batch_offset;
};

struct kv_hal_layout kv_hal_layout_c(void);

#ifdef __cplusplus
}
#endif

#endif
