/* The tables of libsensorlist_cust and the names they use. The library exports
 * getDynamicSensorList, which hands out the address of one of its static
 * tables of complete sensor_t records; the environment variable
 * KV_SENSORLIST_CUST_TABLE chooses the table at each call:
 *   unset (or any other value)  the default table: one record per chip of
 *                               SENSORLIST_CUST_DEMO_SLOTS that has an entry
 *                               in the sensor list
 *   "empty"                     no record (the call returns 0)
 *   "one"                       one accelerometer record for "kx022acc"
 *   "dup"                       two records with vendor "kx022acc", handle 1 */
#ifndef SENSORLIST_CUST_TABLES_H
#define SENSORLIST_CUST_TABLES_H

#include <hardware/sensors.h>

#ifdef __cplusplus
extern "C" {
#endif

#define SENSORLIST_CUST_TABLE_ENV "KV_SENSORLIST_CUST_TABLE"
#define SENSORLIST_CUST_TABLE_EMPTY "empty"
#define SENSORLIST_CUST_TABLE_ONE "one"
#define SENSORLIST_CUST_TABLE_DUP "dup"

/* Chip names: the vendor strings of the records and the slot names of the
 * kernel's "/dev/sensorlist". */
#define SENSORLIST_CUST_CHIP_ACC "kx022acc"
#define SENSORLIST_CUST_CHIP_MAG "vxmr410mag"
#define SENSORLIST_CUST_CHIP_ALS "stk3x1xals"
#define SENSORLIST_CUST_CHIP_PS "stk3x1xps"
#define SENSORLIST_CUST_CHIP_BARO "bmp280baro"

/* The seven slots of a handset fitted with these chips (slot order: acc, gyro,
 * mag, als, ps, baro, situation): const char* slots[7] = SENSORLIST_CUST_DEMO_SLOTS; */
#define SENSORLIST_CUST_DEMO_SLOTS                                                   \
  {                                                                                  \
    SENSORLIST_CUST_CHIP_ACC, "virtual_gyro", SENSORLIST_CUST_CHIP_MAG,              \
        SENSORLIST_CUST_CHIP_ALS, SENSORLIST_CUST_CHIP_PS, SENSORLIST_CUST_CHIP_BARO, \
        "NULL"                                                                       \
  }

/* Names of the records of the default table (handles 1, 5, 8 and 6). */
#define SENSORLIST_CUST_ACC_NAME "KX022 3-axis Accelerometer"
#define SENSORLIST_CUST_ALS_NAME "STK3X1X Ambient Light"
#define SENSORLIST_CUST_PS_NAME "STK3X1X Proximity"
#define SENSORLIST_CUST_BARO_NAME "BMP280 Barometer"

/* The record of the "one" table: vendor SENSORLIST_CUST_CHIP_ACC, handle and
 * type 1, version 1, continuous, string type "android.sensor.accelerometer". */
#define SENSORLIST_CUST_ONE_NAME "KX022 Accelerometer (custom)"
#define SENSORLIST_CUST_ONE_MAX_RANGE 39.2266f
#define SENSORLIST_CUST_ONE_RESOLUTION 0.0047884f
#define SENSORLIST_CUST_ONE_POWER 0.145f
#define SENSORLIST_CUST_ONE_MIN_DELAY 10000
#define SENSORLIST_CUST_ONE_MAX_DELAY 200000
#define SENSORLIST_CUST_ONE_FIFO_RESERVED 64
#define SENSORLIST_CUST_ONE_FIFO_MAX 2048

/* The two records of the "dup" table, in order; the first must win. */
#define SENSORLIST_CUST_DUP_FIRST_NAME "KX022 Accelerometer (first)"
#define SENSORLIST_CUST_DUP_SECOND_NAME "KX022 Accelerometer (second)"

/* Stores the address of the chosen table in *list and returns its count. */
int getDynamicSensorList(struct sensor_t** list);

#ifdef __cplusplus
}
#endif

#endif
