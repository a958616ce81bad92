#include "SensorList.h"

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include "kv/path.h"

#define LOG_TAG "SensorList"
#include <log/log.h>

SensorList* SensorList::SensorListInstance = nullptr;

namespace {

float floatFromBits(uint32_t bits) {
  float f;
  memcpy(&f, &bits, sizeof f);
  return f;
}

sensor_t defaultEntry(const char* name, int type, float maxRange, float resolution,
                      int32_t minDelay, uint32_t fifoReserved, uint32_t fifoMax,
                      const char* stringType, int32_t maxDelay, uint32_t flags) {
  sensor_t s;
  memset(&s, 0, sizeof s);
  s.name = name;
  s.vendor = "ZYR";
  s.version = 1;
  s.handle = type;
  s.type = type;
  s.maxRange = maxRange;
  s.resolution = resolution;
  s.power = 0;
  s.minDelay = minDelay;
  s.fifoReservedEventCount = fifoReserved;
  s.fifoMaxEventCount = fifoMax;
  s.stringType = stringType;
  s.requiredPermission = nullptr;
  s.maxDelay = maxDelay;
  s.flags = flags;
  return s;
}

// Sensor id named by each slot of the kernel's chip table.
const int kSlotSensorId[SensorList::kSlotCount] = {0, 3, 1, 4, 7, 5, 71};

using GetDynamicSensorList = int (*)(sensor_t** list);

}  // namespace

SensorList* SensorList::getInstance() {
  if (!SensorListInstance) SensorListInstance = new SensorList();
  return SensorListInstance;
}

void SensorList::destroyInstance() {
  delete SensorListInstance;
  SensorListInstance = nullptr;
}

void SensorList::initSensorList() {
  mSensors.push_back(defaultEntry("ACCELEROMETER", SENSOR_TYPE_ACCELEROMETER,
                                  floatFromBits(0x429CE80A), floatFromBits(0x3A9D4952), 5000,
                                  3000, 4500, SENSOR_STRING_TYPE_ACCELEROMETER, 20000,
                                  SENSOR_FLAG_CONTINUOUS_MODE));
  mSensors.push_back(defaultEntry("LIGHT", SENSOR_TYPE_LIGHT, 65535.0f, 1.0f, 0, 0, 0,
                                  SENSOR_STRING_TYPE_LIGHT, 1000000, SENSOR_FLAG_ON_CHANGE_MODE));
  mSensors.push_back(defaultEntry("PRESSURE", SENSOR_TYPE_PRESSURE, floatFromBits(0x44C49B85),
                                  floatFromBits(0x3AD1B717), 100000, 300, 4500,
                                  SENSOR_STRING_TYPE_PRESSURE, 1000000,
                                  SENSOR_FLAG_CONTINUOUS_MODE));
  mSensors.push_back(defaultEntry("PROXIMITY", SENSOR_TYPE_PROXIMITY, 1.0f, 1.0f, 0, 100, 4500,
                                  SENSOR_STRING_TYPE_PROXIMITY, 1000000,
                                  SENSOR_FLAG_ON_CHANGE_MODE | SENSOR_FLAG_WAKE_UP));
  mSensors.push_back(defaultEntry("WAKE_GESTURE", SENSOR_TYPE_WAKE_GESTURE, 1.0f, 1.0f, -1, 0, 0,
                                  SENSOR_STRING_TYPE_WAKE_GESTURE, 0,
                                  SENSOR_FLAG_ONE_SHOT_MODE | SENSOR_FLAG_WAKE_UP));
  ALOGI("defaultSensorListCount=%u\n", static_cast<unsigned>(mSensors.size()));
}

SensorList::SensorList() {
  initSensorList();
  loadKernelTable();
}

void SensorList::loadKernelTable() {
  int fd;
  do {
    fd = kv_open("/dev/sensorlist", O_RDWR | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    ALOGE("open /dev/sensorlist fail we use defaultsensorlist\n");
    return;
  }
  // A short read leaves the remaining slots as empty names.
  char table[kSlotCount * kSlotSize] = {};
  ssize_t n;
  do {
    n = read(fd, table, sizeof table);
  } while (n < 0 && errno == EINTR);
  close(fd);
  if (n < 0) {
    ALOGE("read /dev/sensorlist fail we use defaultsensorlist\n");
    return;
  }

  void* lib = dlopen("libsensorlist_cust.so", RTLD_NOW | RTLD_GLOBAL);
  if (!lib) {
    ALOGE("loadSensorCustom dlopen fail\n");
    ALOGE("loadSensorCustom fail we use defaultsensorlist\n");
    return;
  }
  auto getList = reinterpret_cast<GetDynamicSensorList>(dlsym(lib, "getDynamicSensorList"));
  if (!getList) {
    ALOGE("loadSensorCustom fail we use defaultsensorlist\n");
    dlclose(lib);
    return;
  }
  sensor_t* records = nullptr;
  int count = getList(&records);
  if (count <= 0 || !records) {
    ALOGE("getDynamicSensorList fail we use defaultsensorlist\n");
    dlclose(lib);
    return;
  }

  for (size_t slot = 0; slot < kSlotCount; ++slot) {
    // A name that fills all 16 bytes has no NUL: it is read as 16 characters.
    char name[kSlotSize + 1];
    memcpy(name, table + slot * kSlotSize, kSlotSize);
    name[kSlotSize] = '\0';
    int id = kSlotSensorId[slot];
    ALOGI("sensor=%d, name=%s\n", id, name);
    if (slot == 1) mHwGyroSupported = strcmp(name, "virtual_gyro") != 0 && strcmp(name, "NULL") != 0;
    if (strcmp(name, "NULL") == 0) {
      removeSensor(id);
      continue;
    }
    replaceSensor(id, findDynamicSensor(name, count, records));
  }
  dlclose(lib);
  ALOGI("newSensorListCount=%u\n", static_cast<unsigned>(mSensors.size()));
}

size_t SensorList::getSensorList(const sensor_t** list) {
  *list = mSensors.data();
  return mSensors.size();
}

void SensorList::removeSensor(int sensorId) {
  for (auto it = mSensors.begin(); it != mSensors.end();) {
    if (it->handle == sensorId + 1) it = mSensors.erase(it);
    else ++it;
  }
  ALOGI("removeSensor=%d\n", sensorId);
}

const char* SensorList::keep(const char* text) {
  if (!text) return nullptr;
  mStrings.emplace_back(text);
  return mStrings.back().c_str();
}

void SensorList::replaceSensor(int sensorId, const sensor_t* record) {
  if (!record) return;
  for (sensor_t& entry : mSensors) {
    if (entry.handle != sensorId + 1) continue;
    entry = *record;
    entry.name = keep(record->name);
    entry.vendor = keep(record->vendor);
    entry.stringType = keep(record->stringType);
    entry.requiredPermission = keep(record->requiredPermission);
  }
  ALOGI("replaceSensor=%d\n", sensorId);
}

const sensor_t* SensorList::findDynamicSensor(const char* name, int count, const sensor_t* records) {
  for (int i = 0; i < count; ++i)
    if (records[i].vendor && strcmp(records[i].vendor, name) == 0) return &records[i];
  return nullptr;
}
