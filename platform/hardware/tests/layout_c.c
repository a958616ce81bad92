/* The HAL headers compiled as C11, with their key layouts pinned again. */
#include "layout_c.h"

#include <hardware/hardware.h>
#include <hardware/sensors.h>

_Static_assert(sizeof(sensors_event_t) == 104, "sensors_event_t size");
_Static_assert(offsetof(sensors_event_t, timestamp) == 16, "sensors_event_t.timestamp");
_Static_assert(offsetof(sensors_event_t, data) == 24, "sensors_event_t.data");
_Static_assert(offsetof(sensors_event_t, flags) == 88, "sensors_event_t.flags");
_Static_assert(offsetof(sensors_event_t, reserved1) == 92, "sensors_event_t.reserved1");
#if defined(__LP64__)
_Static_assert(sizeof(struct hw_module_t) == 248, "hw_module_t size");
_Static_assert(sizeof(struct hw_device_t) == 120, "hw_device_t size");
_Static_assert(sizeof(struct sensors_module_t) == 264, "sensors_module_t size");
_Static_assert(sizeof(struct sensors_poll_device_1) == 224, "sensors_poll_device_1 size");
_Static_assert(sizeof(struct sensor_t) == 104, "sensor_t size");
_Static_assert(sizeof(sensors_direct_mem_t) == 24, "sensors_direct_mem_t size");
#else
_Static_assert(sizeof(struct hw_module_t) == 128, "hw_module_t size");
_Static_assert(sizeof(struct hw_device_t) == 64, "hw_device_t size");
_Static_assert(sizeof(struct sensors_module_t) == 136, "sensors_module_t size");
_Static_assert(sizeof(struct sensors_poll_device_1) == 116, "sensors_poll_device_1 size");
_Static_assert(sizeof(struct sensor_t) == 68, "sensor_t size");
_Static_assert(sizeof(sensors_direct_mem_t) == 16, "sensors_direct_mem_t size");
#endif

struct kv_hal_layout kv_hal_layout_c(void) {
  struct kv_hal_layout l = {
      .hw_module = sizeof(struct hw_module_t),
      .hw_device = sizeof(struct hw_device_t),
      .sensors_module = sizeof(struct sensors_module_t),
      .sensors_poll_device_1 = sizeof(sensors_poll_device_1_t),
      .sensor = sizeof(struct sensor_t),
      .sensors_event = sizeof(sensors_event_t),
      .sensors_direct_mem = sizeof(sensors_direct_mem_t),
      .event_flags_offset = offsetof(sensors_event_t, flags),
      .poll_device_batch_offset = offsetof(sensors_poll_device_1_t, batch),
  };
  return l;
}
