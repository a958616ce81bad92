// The sensors the module announces: a built-in default list, narrowed by the
// kernel's chip table "/dev/sensorlist" and completed with the records of the
// optional customisation library "libsensorlist_cust.so".
#pragma once

#include <hardware/sensors.h>

#include <deque>
#include <string>
#include <vector>

class SensorList {
 public:
  static SensorList* getInstance();
  // Destroys the singleton (module close); a later getInstance builds anew.
  static void destroyInstance();

  size_t getSensorList(const sensor_t** list);
  bool hwGyroSupported() const { return mHwGyroSupported; }
  void removeSensor(int sensorId);
  void replaceSensor(int sensorId, const sensor_t* record);
  const sensor_t* findDynamicSensor(const char* name, int count, const sensor_t* records);
  void initSensorList();

  static constexpr size_t kSlotCount = 7;
  static constexpr size_t kSlotSize = 16;

 private:
  SensorList();
  void loadKernelTable();
  // Keeps a copy of a string of a library record: the library is unloaded
  // after construction, so the list may not point into it.
  const char* keep(const char* text);

  std::vector<sensor_t> mSensors;
  bool mHwGyroSupported = true;
  std::deque<std::string> mStrings;
  static SensorList* SensorListInstance;
};
