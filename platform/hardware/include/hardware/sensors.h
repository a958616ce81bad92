/* Sensors HAL: the module record, the poll device of device API 1.x, the
 * announced sensor record and the 104-byte event record. The layouts are the
 * Android ABI of the handset's pointer size; sensors_event_t is the same on
 * both, since it is also the record of direct report shared memory. */
#ifndef KV_HARDWARE_SENSORS_H
#define KV_HARDWARE_SENSORS_H

#include <stddef.h>
#include <stdint.h>

#include <hardware/hardware.h>
#include <hardware/sensors-base.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Defined by <cutils/native_handle.h>; only pointers to it are used here. */
struct native_handle;
typedef struct native_handle native_handle_t;

#define SENSORS_HEADER_VERSION 1
#define SENSORS_MODULE_API_VERSION_0_1 HARDWARE_MODULE_API_VERSION(0, 1)
#define SENSORS_DEVICE_API_VERSION_0_1 HARDWARE_DEVICE_API_VERSION_2(0, 1, SENSORS_HEADER_VERSION)
#define SENSORS_DEVICE_API_VERSION_1_0 HARDWARE_DEVICE_API_VERSION_2(1, 0, SENSORS_HEADER_VERSION)
#define SENSORS_DEVICE_API_VERSION_1_1 HARDWARE_DEVICE_API_VERSION_2(1, 1, SENSORS_HEADER_VERSION)
#define SENSORS_DEVICE_API_VERSION_1_2 HARDWARE_DEVICE_API_VERSION_2(1, 2, SENSORS_HEADER_VERSION)
#define SENSORS_DEVICE_API_VERSION_1_3 HARDWARE_DEVICE_API_VERSION_2(1, 3, SENSORS_HEADER_VERSION)
#define SENSORS_DEVICE_API_VERSION_1_4 HARDWARE_DEVICE_API_VERSION_2(1, 4, SENSORS_HEADER_VERSION)

#define SENSORS_HARDWARE_MODULE_ID "sensors"
#define SENSORS_HARDWARE_POLL "poll"

#define SENSOR_PERMISSION_BODY_SENSORS "android.permission.BODY_SENSORS"

#define GRAVITY_SUN (275.0f)
#define GRAVITY_EARTH (9.80665f)
#define MAGNETIC_FIELD_EARTH_MAX (60.0f)
#define MAGNETIC_FIELD_EARTH_MIN (30.0f)

/* A three-axis value with its accuracy. */
typedef struct {
  union {
    float v[3];
    struct {
      float x;
      float y;
      float z;
    };
    struct {
      float azimuth;
      float pitch;
      float roll;
    };
  };
  int8_t status; /* SENSOR_STATUS_* */
  uint8_t reserved[3];
} sensors_vec_t;

/* An uncalibrated three-axis value and the bias that calibration removes. */
typedef struct {
  union {
    float uncalib[3];
    struct {
      float x_uncalib;
      float y_uncalib;
      float z_uncalib;
    };
  };
  union {
    float bias[3];
    struct {
      float x_bias;
      float y_bias;
      float z_bias;
    };
  };
} uncalibrated_event_t;

typedef struct meta_data_event {
  int32_t what;   /* META_DATA_FLUSH_COMPLETE */
  int32_t sensor; /* the handle the meta data is about */
} meta_data_event_t;

typedef struct {
  float bpm;
  int8_t status; /* SENSOR_STATUS_* */
} heart_rate_event_t;

typedef struct {
  int32_t connected;
  int32_t handle;
  const struct sensor_t* sensor;
  uint8_t uuid[16];
} dynamic_sensor_meta_event_t;

typedef struct {
  int32_t type;   /* AINFO_* */
  int32_t serial; /* frame number within a begin/end sequence */
  union {
    int32_t data_int32[14];
    float data_float[14];
  };
} additional_info_event_t;

/* One event. 104 bytes on every ABI: the poll result and the slot of direct
 * report shared memory. */
typedef struct sensors_event_t {
  int32_t version; /* sizeof(sensors_event_t), or META_DATA_VERSION */
  int32_t sensor;  /* sensor handle */
  int32_t type;    /* SENSOR_TYPE_* */
  int32_t reserved0;
  int64_t timestamp; /* nanoseconds, elapsed realtime clock */
  union {
    union {
      float data[16];
      sensors_vec_t acceleration; /* m/s^2 */
      sensors_vec_t magnetic;     /* micro-Tesla */
      sensors_vec_t orientation;  /* degrees */
      sensors_vec_t gyro;         /* rad/s */
      float temperature;          /* degrees Celsius */
      float distance;             /* centimetres */
      float light;                /* lux */
      float pressure;             /* hPa */
      float relative_humidity;    /* percent */
      uncalibrated_event_t uncalibrated_gyro;
      uncalibrated_event_t uncalibrated_magnetic;
      uncalibrated_event_t uncalibrated_accelerometer;
      meta_data_event_t meta_data;
      heart_rate_event_t heart_rate;
      dynamic_sensor_meta_event_t dynamic_sensor_meta;
      additional_info_event_t additional_info;
    };
    union {
      uint64_t data[8];
      uint64_t step_counter;
    } u64;
  };
  uint32_t flags;
  uint32_t reserved1[3];
} sensors_event_t;

typedef sensors_event_t sensors_meta_data_event_t;

/* One announced sensor. */
struct sensor_t {
  const char* name;
  const char* vendor;
  int version;
  int handle; /* unique, non-zero */
  int type;   /* SENSOR_TYPE_* */
  float maxRange;
  float resolution;
  float power; /* mA */
  int32_t minDelay; /* microseconds; 0 on-change, -1 one-shot */
  uint32_t fifoReservedEventCount;
  uint32_t fifoMaxEventCount;
  const char* stringType; /* SENSOR_STRING_TYPE_* */
  const char* requiredPermission;
#if defined(__LP64__)
  int64_t maxDelay; /* microseconds */
  uint64_t flags;   /* SENSOR_FLAG_* */
#else
  int32_t maxDelay;
  uint32_t flags;
#endif
  void* reserved[2];
};

/* Shared memory handed over for a direct report channel. */
typedef struct sensors_direct_mem_t {
  int type;   /* SENSOR_DIRECT_MEM_TYPE_* */
  int format; /* SENSOR_DIRECT_FMT_* */
  size_t size;
  const native_handle_t* handle;
} sensors_direct_mem_t;

typedef struct sensors_direct_cfg_t {
  int rate_level; /* SENSOR_DIRECT_RATE_* */
} sensors_direct_cfg_t;

/* The module record exported as HMI; common.id is SENSORS_HARDWARE_MODULE_ID. */
struct sensors_module_t {
  struct hw_module_t common;
  /* Points *list at the module's sensors; returns their number. */
  int (*get_sensors_list)(struct sensors_module_t* module, struct sensor_t const** list);
  /* SENSOR_HAL_NORMAL_MODE or SENSOR_HAL_DATA_INJECTION_MODE; may be NULL. */
  int (*set_operation_mode)(unsigned int mode);
};

/* Device API 0.1. */
struct sensors_poll_device_t {
  struct hw_device_t common;
  int (*activate)(struct sensors_poll_device_t* dev, int sensor_handle, int enabled);
  int (*setDelay)(struct sensors_poll_device_t* dev, int sensor_handle, int64_t sampling_period_ns);
  int (*poll)(struct sensors_poll_device_t* dev, sensors_event_t* data, int count);
};

/* Device API 1.x: the 0.1 device followed by batching, flushing, injection and
 * direct report channels. */
typedef struct sensors_poll_device_1 {
  union {
    struct sensors_poll_device_t v0;
    struct {
      struct hw_device_t common;
      int (*activate)(struct sensors_poll_device_t* dev, int sensor_handle, int enabled);
      int (*setDelay)(struct sensors_poll_device_t* dev, int sensor_handle,
                      int64_t sampling_period_ns);
      int (*poll)(struct sensors_poll_device_t* dev, sensors_event_t* data, int count);
    };
  };
  int (*batch)(struct sensors_poll_device_1* dev, int sensor_handle, int flags,
               int64_t sampling_period_ns, int64_t max_report_latency_ns);
  int (*flush)(struct sensors_poll_device_1* dev, int sensor_handle);
  int (*inject_sensor_data)(struct sensors_poll_device_1* dev, const sensors_event_t* data);
  /* mem non-NULL: registers a channel, returns its handle (> 0) or -errno;
   * mem NULL: unregisters channel_handle. */
  int (*register_direct_channel)(struct sensors_poll_device_1* dev,
                                 const struct sensors_direct_mem_t* mem, int channel_handle);
  /* sensor_handle -1 with rate STOP stops every sensor of the channel. Returns
   * a report token (> 0) when started, 0 when stopped, or -errno. */
  int (*config_direct_report)(struct sensors_poll_device_1* dev, int sensor_handle,
                              int channel_handle, const struct sensors_direct_cfg_t* config);
  void (*reserved_procs[5])(void);
} sensors_poll_device_1_t;

static inline int sensors_open(const struct hw_module_t* module,
                               struct sensors_poll_device_t** device) {
  return module->methods->open(module, SENSORS_HARDWARE_POLL, (struct hw_device_t**)device);
}

static inline int sensors_close(struct sensors_poll_device_t* device) {
  return device->common.close(&device->common);
}

static inline int sensors_open_1(const struct hw_module_t* module,
                                 sensors_poll_device_1_t** device) {
  return module->methods->open(module, SENSORS_HARDWARE_POLL, (struct hw_device_t**)device);
}

static inline int sensors_close_1(sensors_poll_device_1_t* device) {
  return device->common.close(&device->common);
}

/* Layouts. */
KV_HW_STATIC_ASSERT(sizeof(sensors_vec_t) == 16, "sensors_vec_t size");
KV_HW_STATIC_ASSERT(offsetof(sensors_vec_t, status) == 12, "sensors_vec_t.status");
KV_HW_STATIC_ASSERT(sizeof(uncalibrated_event_t) == 24, "uncalibrated_event_t size");
KV_HW_STATIC_ASSERT(offsetof(uncalibrated_event_t, bias) == 12, "uncalibrated_event_t.bias");
KV_HW_STATIC_ASSERT(sizeof(meta_data_event_t) == 8, "meta_data_event_t size");
KV_HW_STATIC_ASSERT(sizeof(additional_info_event_t) == 64, "additional_info_event_t size");

KV_HW_STATIC_ASSERT(sizeof(sensors_event_t) == 104, "sensors_event_t size");
KV_HW_STATIC_ASSERT(offsetof(sensors_event_t, version) == 0, "sensors_event_t.version");
KV_HW_STATIC_ASSERT(offsetof(sensors_event_t, sensor) == 4, "sensors_event_t.sensor");
KV_HW_STATIC_ASSERT(offsetof(sensors_event_t, type) == 8, "sensors_event_t.type");
KV_HW_STATIC_ASSERT(offsetof(sensors_event_t, reserved0) == 12, "sensors_event_t.reserved0");
KV_HW_STATIC_ASSERT(offsetof(sensors_event_t, timestamp) == 16, "sensors_event_t.timestamp");
KV_HW_STATIC_ASSERT(offsetof(sensors_event_t, data) == 24, "sensors_event_t.data");
KV_HW_STATIC_ASSERT(offsetof(sensors_event_t, u64) == 24, "sensors_event_t.u64");
KV_HW_STATIC_ASSERT(offsetof(sensors_event_t, meta_data) == 24, "sensors_event_t.meta_data");
KV_HW_STATIC_ASSERT(offsetof(sensors_event_t, flags) == 88, "sensors_event_t.flags");
KV_HW_STATIC_ASSERT(offsetof(sensors_event_t, reserved1) == 92, "sensors_event_t.reserved1");

KV_HW_STATIC_ASSERT(sizeof(sensors_direct_cfg_t) == 4, "sensors_direct_cfg_t size");
KV_HW_STATIC_ASSERT(offsetof(sensors_direct_mem_t, size) == 8, "sensors_direct_mem_t.size");

#if defined(__LP64__)
KV_HW_STATIC_ASSERT(sizeof(struct sensor_t) == 104, "sensor_t size");
KV_HW_STATIC_ASSERT(offsetof(struct sensor_t, minDelay) == 40, "sensor_t.minDelay");
KV_HW_STATIC_ASSERT(offsetof(struct sensor_t, stringType) == 56, "sensor_t.stringType");
KV_HW_STATIC_ASSERT(offsetof(struct sensor_t, maxDelay) == 72, "sensor_t.maxDelay");
KV_HW_STATIC_ASSERT(offsetof(struct sensor_t, flags) == 80, "sensor_t.flags");
KV_HW_STATIC_ASSERT(offsetof(struct sensor_t, reserved) == 88, "sensor_t.reserved");
KV_HW_STATIC_ASSERT(sizeof(sensors_direct_mem_t) == 24, "sensors_direct_mem_t size");
KV_HW_STATIC_ASSERT(offsetof(sensors_direct_mem_t, handle) == 16, "sensors_direct_mem_t.handle");
KV_HW_STATIC_ASSERT(sizeof(struct sensors_module_t) == 264, "sensors_module_t size");
KV_HW_STATIC_ASSERT(offsetof(struct sensors_module_t, get_sensors_list) == 248,
                    "sensors_module_t.get_sensors_list");
KV_HW_STATIC_ASSERT(offsetof(struct sensors_module_t, set_operation_mode) == 256,
                    "sensors_module_t.set_operation_mode");
KV_HW_STATIC_ASSERT(sizeof(struct sensors_poll_device_t) == 144, "sensors_poll_device_t size");
KV_HW_STATIC_ASSERT(sizeof(sensors_poll_device_1_t) == 224, "sensors_poll_device_1 size");
KV_HW_STATIC_ASSERT(offsetof(sensors_poll_device_1_t, activate) == 120,
                    "sensors_poll_device_1.activate");
KV_HW_STATIC_ASSERT(offsetof(sensors_poll_device_1_t, poll) == 136, "sensors_poll_device_1.poll");
KV_HW_STATIC_ASSERT(offsetof(sensors_poll_device_1_t, batch) == 144, "sensors_poll_device_1.batch");
KV_HW_STATIC_ASSERT(offsetof(sensors_poll_device_1_t, register_direct_channel) == 168,
                    "sensors_poll_device_1.register_direct_channel");
KV_HW_STATIC_ASSERT(offsetof(sensors_poll_device_1_t, config_direct_report) == 176,
                    "sensors_poll_device_1.config_direct_report");
KV_HW_STATIC_ASSERT(offsetof(sensors_poll_device_1_t, reserved_procs) == 184,
                    "sensors_poll_device_1.reserved_procs");
#else
KV_HW_STATIC_ASSERT(sizeof(struct sensor_t) == 68, "sensor_t size");
KV_HW_STATIC_ASSERT(offsetof(struct sensor_t, minDelay) == 32, "sensor_t.minDelay");
KV_HW_STATIC_ASSERT(offsetof(struct sensor_t, stringType) == 44, "sensor_t.stringType");
KV_HW_STATIC_ASSERT(offsetof(struct sensor_t, maxDelay) == 52, "sensor_t.maxDelay");
KV_HW_STATIC_ASSERT(offsetof(struct sensor_t, flags) == 56, "sensor_t.flags");
KV_HW_STATIC_ASSERT(offsetof(struct sensor_t, reserved) == 60, "sensor_t.reserved");
KV_HW_STATIC_ASSERT(sizeof(sensors_direct_mem_t) == 16, "sensors_direct_mem_t size");
KV_HW_STATIC_ASSERT(offsetof(sensors_direct_mem_t, handle) == 12, "sensors_direct_mem_t.handle");
KV_HW_STATIC_ASSERT(sizeof(struct sensors_module_t) == 136, "sensors_module_t size");
KV_HW_STATIC_ASSERT(offsetof(struct sensors_module_t, get_sensors_list) == 128,
                    "sensors_module_t.get_sensors_list");
KV_HW_STATIC_ASSERT(offsetof(struct sensors_module_t, set_operation_mode) == 132,
                    "sensors_module_t.set_operation_mode");
KV_HW_STATIC_ASSERT(sizeof(struct sensors_poll_device_t) == 76, "sensors_poll_device_t size");
KV_HW_STATIC_ASSERT(sizeof(sensors_poll_device_1_t) == 116, "sensors_poll_device_1 size");
KV_HW_STATIC_ASSERT(offsetof(sensors_poll_device_1_t, activate) == 64,
                    "sensors_poll_device_1.activate");
KV_HW_STATIC_ASSERT(offsetof(sensors_poll_device_1_t, poll) == 72, "sensors_poll_device_1.poll");
KV_HW_STATIC_ASSERT(offsetof(sensors_poll_device_1_t, batch) == 76, "sensors_poll_device_1.batch");
KV_HW_STATIC_ASSERT(offsetof(sensors_poll_device_1_t, register_direct_channel) == 88,
                    "sensors_poll_device_1.register_direct_channel");
KV_HW_STATIC_ASSERT(offsetof(sensors_poll_device_1_t, config_direct_report) == 92,
                    "sensors_poll_device_1.config_direct_report");
KV_HW_STATIC_ASSERT(offsetof(sensors_poll_device_1_t, reserved_procs) == 96,
                    "sensors_poll_device_1.reserved_procs");
#endif

#ifdef __cplusplus
}
#endif

#endif
