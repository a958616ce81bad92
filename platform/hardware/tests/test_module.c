/* A minimal HAL module for the loader tests. KV_TEST_ID and KV_TEST_NAME name
 * the module; with KV_TEST_NO_HMI the library exports no module record. */
#include <errno.h>
#include <stddef.h>

#include <hardware/hardware.h>

#ifdef KV_TEST_NO_HMI
int kv_test_module_without_hmi = 1;
#else
static int open_device(const struct hw_module_t* module, const char* id,
                       struct hw_device_t** device) {
  (void)module;
  (void)id;
  *device = NULL;
  return -ENODEV;
}

static struct hw_module_methods_t test_methods = {.open = open_device};

struct hw_module_t HAL_MODULE_INFO_SYM = {
    .tag = HARDWARE_MODULE_TAG,
    .module_api_version = HARDWARE_MODULE_API_VERSION(1, 0),
    .hal_api_version = HARDWARE_HAL_API_VERSION,
    .id = KV_TEST_ID,
    .name = KV_TEST_NAME,
    .author = "kv2104 tests",
    .methods = &test_methods,
};
#endif
