// A client of the sensor manager: the sensors it activated and where its
// events go (a driver index 0..14 for an internal client, 15 for the native
// and direct clients).
#pragma once

#include <stdint.h>

#include <set>

class SensorConnection {
 public:
  explicit SensorConnection(int32_t module = -1) : mModule(module) {}

  // True when the id was not active before.
  bool addActiveHandle(uint32_t sensorId) { return mActive.insert(sensorId).second; }
  // True when no id is active afterwards.
  bool removeActiveHandle(uint32_t sensorId) {
    mActive.erase(sensorId);
    return mActive.empty();
  }
  bool hasHandleIndexOf(uint32_t sensorId) const { return mActive.count(sensorId) != 0; }
  void setMoudle(int32_t module) { mModule = module; }
  int32_t getMoudle() const { return mModule; }

 private:
  std::set<uint32_t> mActive;
  int32_t mModule;
};
