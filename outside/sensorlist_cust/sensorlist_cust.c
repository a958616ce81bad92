/* libsensorlist_cust: the sensor_t records of the chips this handset may be
 * fitted with, one table per variant. */
#include <stdlib.h>
#include <string.h>

#include "sensorlist_cust_tables.h"

#define COUNT_OF(a) ((int)(sizeof(a) / sizeof((a)[0])))

static struct sensor_t kDefaultTable[] = {
    {.name = SENSORLIST_CUST_ACC_NAME,
     .vendor = SENSORLIST_CUST_CHIP_ACC,
     .version = 1,
     .handle = SENSOR_TYPE_ACCELEROMETER,
     .type = SENSOR_TYPE_ACCELEROMETER,
     .maxRange = 78.4532f,
     .resolution = 0.0023942f,
     .power = 0.145f,
     .minDelay = 5000,
     .fifoReservedEventCount = 0,
     .fifoMaxEventCount = 0,
     .stringType = SENSOR_STRING_TYPE_ACCELEROMETER,
     .maxDelay = 200000,
     .flags = SENSOR_FLAG_CONTINUOUS_MODE},
    {.name = SENSORLIST_CUST_ALS_NAME,
     .vendor = SENSORLIST_CUST_CHIP_ALS,
     .version = 1,
     .handle = SENSOR_TYPE_LIGHT,
     .type = SENSOR_TYPE_LIGHT,
     .maxRange = 6500.0f,
     .resolution = 1.0f,
     .power = 0.1f,
     .minDelay = 0,
     .stringType = SENSOR_STRING_TYPE_LIGHT,
     .maxDelay = 1000000,
     .flags = SENSOR_FLAG_ON_CHANGE_MODE},
    {.name = SENSORLIST_CUST_PS_NAME,
     .vendor = SENSORLIST_CUST_CHIP_PS,
     .version = 1,
     .handle = SENSOR_TYPE_PROXIMITY,
     .type = SENSOR_TYPE_PROXIMITY,
     .maxRange = 1.0f,
     .resolution = 1.0f,
     .power = 0.1f,
     .minDelay = 0,
     .fifoReservedEventCount = 100,
     .fifoMaxEventCount = 4500,
     .stringType = SENSOR_STRING_TYPE_PROXIMITY,
     .maxDelay = 1000000,
     .flags = SENSOR_FLAG_ON_CHANGE_MODE | SENSOR_FLAG_WAKE_UP},
    {.name = SENSORLIST_CUST_BARO_NAME,
     .vendor = SENSORLIST_CUST_CHIP_BARO,
     .version = 1,
     .handle = SENSOR_TYPE_PRESSURE,
     .type = SENSOR_TYPE_PRESSURE,
     .maxRange = 1100.0f,
     .resolution = 0.0018f,
     .power = 0.0027f,
     .minDelay = 40000,
     .fifoReservedEventCount = 300,
     .fifoMaxEventCount = 4500,
     .stringType = SENSOR_STRING_TYPE_PRESSURE,
     .maxDelay = 1000000,
     .flags = SENSOR_FLAG_CONTINUOUS_MODE},
};

static struct sensor_t kOneTable[] = {
    {.name = SENSORLIST_CUST_ONE_NAME,
     .vendor = SENSORLIST_CUST_CHIP_ACC,
     .version = 1,
     .handle = SENSOR_TYPE_ACCELEROMETER,
     .type = SENSOR_TYPE_ACCELEROMETER,
     .maxRange = SENSORLIST_CUST_ONE_MAX_RANGE,
     .resolution = SENSORLIST_CUST_ONE_RESOLUTION,
     .power = SENSORLIST_CUST_ONE_POWER,
     .minDelay = SENSORLIST_CUST_ONE_MIN_DELAY,
     .fifoReservedEventCount = SENSORLIST_CUST_ONE_FIFO_RESERVED,
     .fifoMaxEventCount = SENSORLIST_CUST_ONE_FIFO_MAX,
     .stringType = SENSOR_STRING_TYPE_ACCELEROMETER,
     .maxDelay = SENSORLIST_CUST_ONE_MAX_DELAY,
     .flags = SENSOR_FLAG_CONTINUOUS_MODE},
};

static struct sensor_t kDupTable[] = {
    {.name = SENSORLIST_CUST_DUP_FIRST_NAME,
     .vendor = SENSORLIST_CUST_CHIP_ACC,
     .version = 1,
     .handle = SENSOR_TYPE_ACCELEROMETER,
     .type = SENSOR_TYPE_ACCELEROMETER,
     .maxRange = 19.6133f,
     .resolution = 0.0011971f,
     .power = 0.145f,
     .minDelay = 5000,
     .stringType = SENSOR_STRING_TYPE_ACCELEROMETER,
     .maxDelay = 200000,
     .flags = SENSOR_FLAG_CONTINUOUS_MODE},
    {.name = SENSORLIST_CUST_DUP_SECOND_NAME,
     .vendor = SENSORLIST_CUST_CHIP_ACC,
     .version = 1,
     .handle = SENSOR_TYPE_ACCELEROMETER,
     .type = SENSOR_TYPE_ACCELEROMETER,
     .maxRange = 156.9064f,
     .resolution = 0.0095768f,
     .power = 0.145f,
     .minDelay = 2500,
     .stringType = SENSOR_STRING_TYPE_ACCELEROMETER,
     .maxDelay = 100000,
     .flags = SENSOR_FLAG_CONTINUOUS_MODE},
};

static const struct {
  const char* name;
  struct sensor_t* records;
  int count;
} kVariants[] = {
    {SENSORLIST_CUST_TABLE_EMPTY, NULL, 0},
    {SENSORLIST_CUST_TABLE_ONE, kOneTable, COUNT_OF(kOneTable)},
    {SENSORLIST_CUST_TABLE_DUP, kDupTable, COUNT_OF(kDupTable)},
};

__attribute__((visibility("default"))) int getDynamicSensorList(struct sensor_t** list) {
  const char* chosen = getenv(SENSORLIST_CUST_TABLE_ENV);
  struct sensor_t* records = kDefaultTable;
  int count = COUNT_OF(kDefaultTable);
  for (int i = 0; chosen && i < COUNT_OF(kVariants); ++i) {
    if (strcmp(chosen, kVariants[i].name) == 0) {
      records = kVariants[i].records;
      count = kVariants[i].count;
      break;
    }
  }
  if (list) *list = records;
  return count;
}
