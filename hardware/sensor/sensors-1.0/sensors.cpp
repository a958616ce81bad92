// The sensors HAL module record and the poll device's entry points.
#include <hardware/hardware.h>
#include <string.h>
#include <hardware/sensors.h>

#include "SensorContext.h"
#include "SensorList.h"
#include "SensorManager.h"

#define LOG_TAG "Sensors"
#include <log/log.h>

namespace {

SensorList* gSensorList = nullptr;
SensorManager* gSensorManager = nullptr;
SensorConnection* gNativeConnection = nullptr;

// The native client is the framework; module number 15 names no driver.
constexpr int kNativeModule = 15;

int poll__close(struct hw_device_t*) {
  delete sensors_poll_context_t::contextInstance;  // clears contextInstance
  if (gSensorManager) {
    gSensorManager->removeSensorConnection(gNativeConnection);
    SensorManager::destroyInstance();
  }
  SensorList::destroyInstance();
  gNativeConnection = nullptr;
  gSensorManager = nullptr;
  gSensorList = nullptr;
  return 0;
}

int poll__activate(struct sensors_poll_device_t*, int handle, int enabled) {
  return gSensorManager->activate(gNativeConnection, handle - 1, enabled != 0);
}

int poll__setDelay(struct sensors_poll_device_t*, int handle, int64_t ns) {
  return gSensorManager->batch(gNativeConnection, handle - 1, ns, 0);
}

int poll__poll(struct sensors_poll_device_t*, sensors_event_t* data, int count) {
  return gSensorManager->pollEvent(data, count);
}

int poll__batch(struct sensors_poll_device_1*, int handle, int, int64_t period, int64_t timeout) {
  return gSensorManager->batch(gNativeConnection, handle - 1, period, timeout);
}

int poll__flush(struct sensors_poll_device_1*, int handle) {
  return gSensorManager->flush(gNativeConnection, handle - 1);
}

int poll__injectSensorData(struct sensors_poll_device_1*, const sensors_event_t*) { return 0; }

// Direct report channels are not offered by this build: registering fails,
// removing has nothing to do.
int poll__registerDirectChannel(struct sensors_poll_device_1*, const struct sensors_direct_mem_t* mem,
                                int) {
  return mem ? -22 : 0;
}

int poll__configDirectReport(struct sensors_poll_device_1*, int, int, const sensors_direct_cfg_t*) {
  return -22;
}

int open_sensors(const struct hw_module_t* module, const char* name, struct hw_device_t** device) {
  ALOGD("%s: name: %s!\n", "open_sensors", name ? name : "");
  gSensorList = SensorList::getInstance();
  sensors_poll_context_t* context = sensors_poll_context_t::getInstance();

  memset(&context->device, 0, sizeof context->device);
  context->device.common.tag = HARDWARE_DEVICE_TAG;
  context->device.common.version = SENSORS_DEVICE_API_VERSION_1_4;
  context->device.common.module = const_cast<hw_module_t*>(module);
  context->device.common.close = poll__close;
  context->device.activate = poll__activate;
  context->device.setDelay = poll__setDelay;
  context->device.poll = poll__poll;
  context->device.batch = poll__batch;
  context->device.flush = poll__flush;
  context->device.inject_sensor_data = poll__injectSensorData;
  context->device.register_direct_channel = poll__registerDirectChannel;
  context->device.config_direct_report = poll__configDirectReport;
  *device = &context->device.common;

  gSensorManager = SensorManager::getInstance();
  gNativeConnection = gSensorManager->createSensorConnection(kNativeModule);
  gSensorManager->setNativeConnection(gNativeConnection);
  gSensorManager->setSensorContext(context);
  return 0;
}

int sensors__get_sensors_list(struct sensors_module_t*, struct sensor_t const** list) {
  SensorList* sensorList = gSensorList ? gSensorList : SensorList::getInstance();
  size_t count = sensorList->getSensorList(list);
  ALOGE("sensors__get_sensors_list count=%zu\n", count);
  if (gSensorManager) gSensorManager->addSensorsList(*list, count);
  return static_cast<int>(count);
}

struct hw_module_methods_t sensors_module_methods = {
    .open = open_sensors,
};

}  // namespace

extern "C" {
__attribute__((visibility("default"))) struct sensors_module_t HAL_MODULE_INFO_SYM = {
    .common =
        {
            .tag = HARDWARE_MODULE_TAG,
            .module_api_version = SENSORS_MODULE_API_VERSION_0_1,
            .hal_api_version = 0,
            .id = SENSORS_HARDWARE_MODULE_ID,
            .name = "ZYR SENSORS Module",
            .author = "Korvalen",
            .methods = &sensors_module_methods,
            .dso = nullptr,
            .reserved = {0},
        },
    .get_sensors_list = sensors__get_sensors_list,
    .set_operation_mode = nullptr,
};
}  // extern "C"
