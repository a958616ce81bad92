/* Sensor HAL constants: sensor types, their string types, flags, direct report
 * levels and memory kinds, accuracy values. Numbers are Android's (API 28). */
#ifndef KV_HARDWARE_SENSORS_BASE_H
#define KV_HARDWARE_SENSORS_BASE_H

/* Sensor types. */
#define SENSOR_TYPE_META_DATA 0
#define SENSOR_TYPE_ACCELEROMETER 1
#define SENSOR_TYPE_MAGNETIC_FIELD 2
#define SENSOR_TYPE_GEOMAGNETIC_FIELD SENSOR_TYPE_MAGNETIC_FIELD
#define SENSOR_TYPE_ORIENTATION 3
#define SENSOR_TYPE_GYROSCOPE 4
#define SENSOR_TYPE_LIGHT 5
#define SENSOR_TYPE_PRESSURE 6
#define SENSOR_TYPE_TEMPERATURE 7
#define SENSOR_TYPE_PROXIMITY 8
#define SENSOR_TYPE_GRAVITY 9
#define SENSOR_TYPE_LINEAR_ACCELERATION 10
#define SENSOR_TYPE_ROTATION_VECTOR 11
#define SENSOR_TYPE_RELATIVE_HUMIDITY 12
#define SENSOR_TYPE_AMBIENT_TEMPERATURE 13
#define SENSOR_TYPE_MAGNETIC_FIELD_UNCALIBRATED 14
#define SENSOR_TYPE_GAME_ROTATION_VECTOR 15
#define SENSOR_TYPE_GYROSCOPE_UNCALIBRATED 16
#define SENSOR_TYPE_SIGNIFICANT_MOTION 17
#define SENSOR_TYPE_STEP_DETECTOR 18
#define SENSOR_TYPE_STEP_COUNTER 19
#define SENSOR_TYPE_GEOMAGNETIC_ROTATION_VECTOR 20
#define SENSOR_TYPE_HEART_RATE 21
#define SENSOR_TYPE_TILT_DETECTOR 22
#define SENSOR_TYPE_WAKE_GESTURE 23
#define SENSOR_TYPE_GLANCE_GESTURE 24
#define SENSOR_TYPE_PICK_UP_GESTURE 25
#define SENSOR_TYPE_WRIST_TILT_GESTURE 26
#define SENSOR_TYPE_DEVICE_ORIENTATION 27
#define SENSOR_TYPE_POSE_6DOF 28
#define SENSOR_TYPE_STATIONARY_DETECT 29
#define SENSOR_TYPE_MOTION_DETECT 30
#define SENSOR_TYPE_HEART_BEAT 31
#define SENSOR_TYPE_DYNAMIC_SENSOR_META 32
#define SENSOR_TYPE_ADDITIONAL_INFO 33
#define SENSOR_TYPE_LOW_LATENCY_OFFBODY_DETECT 34
#define SENSOR_TYPE_ACCELEROMETER_UNCALIBRATED 35
/* First type number free for vendor sensors. */
#define SENSOR_TYPE_DEVICE_PRIVATE_BASE 0x10000

/* String types announced in sensor_t.stringType. */
#define SENSOR_STRING_TYPE_ACCELEROMETER "android.sensor.accelerometer"
#define SENSOR_STRING_TYPE_MAGNETIC_FIELD "android.sensor.magnetic_field"
#define SENSOR_STRING_TYPE_GEOMAGNETIC_FIELD SENSOR_STRING_TYPE_MAGNETIC_FIELD
#define SENSOR_STRING_TYPE_ORIENTATION "android.sensor.orientation"
#define SENSOR_STRING_TYPE_GYROSCOPE "android.sensor.gyroscope"
#define SENSOR_STRING_TYPE_LIGHT "android.sensor.light"
#define SENSOR_STRING_TYPE_PRESSURE "android.sensor.pressure"
#define SENSOR_STRING_TYPE_TEMPERATURE "android.sensor.temperature"
#define SENSOR_STRING_TYPE_PROXIMITY "android.sensor.proximity"
#define SENSOR_STRING_TYPE_GRAVITY "android.sensor.gravity"
#define SENSOR_STRING_TYPE_LINEAR_ACCELERATION "android.sensor.linear_acceleration"
#define SENSOR_STRING_TYPE_ROTATION_VECTOR "android.sensor.rotation_vector"
#define SENSOR_STRING_TYPE_RELATIVE_HUMIDITY "android.sensor.relative_humidity"
#define SENSOR_STRING_TYPE_AMBIENT_TEMPERATURE "android.sensor.ambient_temperature"
#define SENSOR_STRING_TYPE_MAGNETIC_FIELD_UNCALIBRATED "android.sensor.magnetic_field_uncalibrated"
#define SENSOR_STRING_TYPE_GAME_ROTATION_VECTOR "android.sensor.game_rotation_vector"
#define SENSOR_STRING_TYPE_GYROSCOPE_UNCALIBRATED "android.sensor.gyroscope_uncalibrated"
#define SENSOR_STRING_TYPE_SIGNIFICANT_MOTION "android.sensor.significant_motion"
#define SENSOR_STRING_TYPE_STEP_DETECTOR "android.sensor.step_detector"
#define SENSOR_STRING_TYPE_STEP_COUNTER "android.sensor.step_counter"
#define SENSOR_STRING_TYPE_GEOMAGNETIC_ROTATION_VECTOR "android.sensor.geomagnetic_rotation_vector"
#define SENSOR_STRING_TYPE_HEART_RATE "android.sensor.heart_rate"
#define SENSOR_STRING_TYPE_TILT_DETECTOR "android.sensor.tilt_detector"
#define SENSOR_STRING_TYPE_WAKE_GESTURE "android.sensor.wake_gesture"
#define SENSOR_STRING_TYPE_GLANCE_GESTURE "android.sensor.glance_gesture"
#define SENSOR_STRING_TYPE_PICK_UP_GESTURE "android.sensor.pick_up_gesture"
#define SENSOR_STRING_TYPE_WRIST_TILT_GESTURE "android.sensor.wrist_tilt_gesture"
#define SENSOR_STRING_TYPE_DEVICE_ORIENTATION "android.sensor.device_orientation"
#define SENSOR_STRING_TYPE_POSE_6DOF "android.sensor.pose_6dof"
#define SENSOR_STRING_TYPE_STATIONARY_DETECT "android.sensor.stationary_detect"
#define SENSOR_STRING_TYPE_MOTION_DETECT "android.sensor.motion_detect"
#define SENSOR_STRING_TYPE_HEART_BEAT "android.sensor.heart_beat"
#define SENSOR_STRING_TYPE_DYNAMIC_SENSOR_META "android.sensor.dynamic_sensor_meta"
#define SENSOR_STRING_TYPE_ADDITIONAL_INFO "android.sensor.additional_info"
#define SENSOR_STRING_TYPE_LOW_LATENCY_OFFBODY_DETECT "android.sensor.low_latency_offbody_detect"
#define SENSOR_STRING_TYPE_ACCELEROMETER_UNCALIBRATED "android.sensor.accelerometer_uncalibrated"

/* sensor_t.flags. Bit 0: wake-up; bits 1-3: reporting mode; bit 4: data
 * injection; bit 5: dynamic sensor; bit 6: additional info; bits 7-9: highest
 * direct report rate level; bits 10-11: direct channel memory kinds. */
#define SENSOR_FLAG_WAKE_UP 0x1u
#define SENSOR_FLAG_CONTINUOUS_MODE 0x0u
#define SENSOR_FLAG_ON_CHANGE_MODE 0x2u
#define SENSOR_FLAG_ONE_SHOT_MODE 0x4u
#define SENSOR_FLAG_SPECIAL_REPORTING_MODE 0x6u
#define SENSOR_FLAG_DATA_INJECTION 0x10u
#define SENSOR_FLAG_SUPPORTS_DATA_INJECTION SENSOR_FLAG_DATA_INJECTION
#define SENSOR_FLAG_DYNAMIC_SENSOR 0x20u
#define SENSOR_FLAG_ADDITIONAL_INFO 0x40u
#define SENSOR_FLAG_DIRECT_CHANNEL_ASHMEM 0x400u
#define SENSOR_FLAG_DIRECT_CHANNEL_GRALLOC 0x800u

#define SENSOR_FLAG_MASK(nbit, shift) (((1u << (nbit)) - 1u) << (shift))
#define SENSOR_FLAG_MASK_1(shift) SENSOR_FLAG_MASK(1, shift)

#define SENSOR_FLAG_SHIFT_REPORTING_MODE 1
#define SENSOR_FLAG_SHIFT_DATA_INJECTION 4
#define SENSOR_FLAG_SHIFT_DYNAMIC_SENSOR 5
#define SENSOR_FLAG_SHIFT_ADDITIONAL_INFO 6
#define SENSOR_FLAG_SHIFT_DIRECT_REPORT 7
#define SENSOR_FLAG_SHIFT_DIRECT_CHANNEL 10

#define SENSOR_FLAG_MASK_REPORTING_MODE 0xEu
#define SENSOR_FLAG_MASK_DATA_INJECTION 0x10u
#define SENSOR_FLAG_MASK_DYNAMIC_SENSOR 0x20u
#define SENSOR_FLAG_MASK_ADDITIONAL_INFO 0x40u
#define SENSOR_FLAG_MASK_DIRECT_REPORT 0x380u
#define SENSOR_FLAG_MASK_DIRECT_CHANNEL 0xC00u

/* Direct report rate levels (sensors_direct_cfg_t.rate_level; also the value of
 * the direct report bits of sensor_t.flags, naming the fastest level). */
#define SENSOR_DIRECT_RATE_STOP 0
#define SENSOR_DIRECT_RATE_NORMAL 1     /* nominal 50 Hz */
#define SENSOR_DIRECT_RATE_FAST 2       /* nominal 200 Hz */
#define SENSOR_DIRECT_RATE_VERY_FAST 3  /* nominal 800 Hz */

/* Direct channel memory kinds (sensors_direct_mem_t.type). */
#define SENSOR_DIRECT_MEM_TYPE_ASHMEM 1
#define SENSOR_DIRECT_MEM_TYPE_GRALLOC 2

/* Direct channel formats (sensors_direct_mem_t.format): an array of 104-byte
 * sensors_event_t records. */
#define SENSOR_DIRECT_FMT_SENSORS_EVENT 1

/* Accuracy (sensors_vec_t.status, heart_rate_event_t.status). */
#define SENSOR_STATUS_NO_CONTACT (-1)
#define SENSOR_STATUS_UNRELIABLE 0
#define SENSOR_STATUS_ACCURACY_LOW 1
#define SENSOR_STATUS_ACCURACY_MEDIUM 2
#define SENSOR_STATUS_ACCURACY_HIGH 3

/* Modes of sensors_module_t.set_operation_mode. */
#define SENSOR_HAL_NORMAL_MODE 0
#define SENSOR_HAL_DATA_INJECTION_MODE 1

/* Legacy batch flags of device API 1.0-1.2; ignored by 1.3 and later. */
#define SENSORS_BATCH_DRY_RUN 0x1
#define SENSORS_BATCH_WAKE_UPON_FIFO_FULL 0x2

/* Meta-data events (type SENSOR_TYPE_META_DATA). */
#define META_DATA_VERSION 2
#define META_DATA_FLUSH_COMPLETE 1

/* Additional-info frame types (additional_info_event_t.type). */
#define AINFO_BEGIN 0x0
#define AINFO_END 0x1
#define AINFO_UNTRACKED_DELAY 0x10000
#define AINFO_INTERNAL_TEMPERATURE 0x10001
#define AINFO_VEC3_CALIBRATION 0x10002
#define AINFO_SENSOR_PLACEMENT 0x10003
#define AINFO_SAMPLING 0x10004
#define AINFO_CHANNEL_NOISE 0x20000
#define AINFO_CHANNEL_SAMPLER 0x20001
#define AINFO_CHANNEL_FILTER 0x20002
#define AINFO_CHANNEL_LINEAR_TRANSFORM 0x20003
#define AINFO_CHANNEL_NONLINEAR_MAP 0x20004
#define AINFO_CHANNEL_RESAMPLER 0x20005
#define AINFO_LOCAL_GEOMAGNETIC_FIELD 0x30000
#define AINFO_LOCAL_GRAVITY 0x30001
#define AINFO_DOCK_STATE 0x30002
#define AINFO_HIGH_PERFORMANCE_MODE 0x30003
#define AINFO_MAGNETIC_FIELD_CALIBRATION 0x30004
#define AINFO_CUSTOM_START 0x10000000
#define AINFO_DEBUGGING_START 0x40000000

#endif
