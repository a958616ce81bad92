// SensorSaved: a driver's calibration store. Each value set lives in its own
// small JSON file ("acc_bias.json" holding { "acc_bias": [x, y, z] }) in the
// sensor calibration directory, which the first store of the process chooses.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <utils/Mutex.h>
#include <utils/RefBase.h>

#include "JSONObject.h"

class SensorSaved {
 public:
  // Room for a directory, "/" and a file name, terminator included.
  static constexpr size_t kPathSize = 4096;
  // A save writes "<file>.tmp" in the same directory and renames it over the
  // file, so the old values survive a failed or interrupted save.
  static constexpr const char kTempSuffix[] = ".tmp";

  SensorSaved();
  ~SensorSaved() = default;
  SensorSaved(const SensorSaved&) = delete;
  SensorSaved& operator=(const SensorSaved&) = delete;

  // Reads the first count elements of the array under key in file. True only
  // when all of them were read; out may be partly written otherwise. The
  // integer getter takes only integers; the float getter also converts them.
  bool getCalibrationInt32(const char* file, const char* key, int32_t* out, size_t count);
  bool getCalibrationFloat(const char* file, const char* key, float* out, size_t count);

  // Replaces file with { key: [values] }; null values does nothing. Failures
  // are logged and leave the previous file as it was.
  void saveCalibrationInt32(const char* file, const char* key, const int32_t* values,
                            size_t count);
  void saveCalibrationFloat(const char* file, const char* key, const float* values,
                            size_t count);

  // The directory this store uses.
  const char* directory() const { return mDirectory; }

  // For tests only: forgets the process-wide directory choice, so the next
  // store constructed looks at the file system again.
  static void resetDirectoryForTest();

 private:
  template <typename T>
  bool getCalibration(const char* file, const char* key, T* out, size_t count);
  template <typename T>
  void saveCalibration(const char* file, const char* key, const T* values, size_t count);
  // Puts directory + "/" + file in mPath; false when it does not fit.
  bool buildPath(const char* file);
  void writeSettings(const char* file, const android::AString& text);

  android::Mutex mLock;
  const char* const mDirectory;
  char mPath[kPathSize];
  char mTempPath[kPathSize];
};

namespace android {

// Gives in *settings the object that the JSON file at path holds, or a new
// empty object when the file cannot be opened or read or holds anything else.
void loadSensorSettings(const char* path, sp<JSONObject>* settings);

}  // namespace android
