#define LOG_TAG "SensorSaved"

#include "SensorSaved.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <vector>

#include <kv/path.h>
#include <log/log.h>

#include "File.h"

using android::AString;
using android::File;
using android::JSONArray;
using android::JSONObject;
using android::JSONValue;
using android::Mutex;
using android::OK;
using android::sp;
using android::status_t;

namespace {

constexpr char kNvcfgDir[] = "/mnt/vendor/nvcfg";
constexpr char kNvcfgSensorDir[] = "/mnt/vendor/nvcfg/sensor";
constexpr char kDataSensorDir[] = "/data/vendor/sensor";
constexpr mode_t kDirMode = 0774;

// Calibration files are a few lines; anything far larger is not one of them
// (and a directory opened by mistake reports a huge size).
constexpr off_t kMaxSettingsSize = 64 * 1024;

Mutex gDirectoryLock;
const char* gDirectory = nullptr;

// The calibration directory of this process, chosen and created on first use.
const char* settingsDirectory() {
  Mutex::Autolock lock(gDirectoryLock);
  if (!gDirectory) {
    if (kv_access(kNvcfgDir, F_OK) == 0) {
      ALOGE("(%s) exist\n", kNvcfgDir);
      gDirectory = kNvcfgSensorDir;
    } else {
      ALOGE("(%s) not exist\n", kNvcfgDir);
      gDirectory = kDataSensorDir;
    }
    kv_mkdir(gDirectory, kDirMode);  // it usually exists already
  }
  return gDirectory;
}

bool readElement(const JSONValue& v, int32_t* out) { return v.getInt32(out); }

bool readElement(const JSONValue& v, float* out) {
  if (v.getFloat(out)) return true;
  int32_t i;
  if (!v.getInt32(&i)) return false;
  *out = static_cast<float>(i);
  return true;
}

void setElement(JSONValue* v, int32_t x) { v->setInt32(x); }
void setElement(JSONValue* v, float x) { v->setFloat(x); }

}  // namespace

namespace android {

void loadSensorSettings(const char* path, sp<JSONObject>* settings) {
  *settings = new JSONObject;
  File file(path, "r");
  status_t err = file.initCheck();
  if (err != OK) {
    ALOGE("settings file(%s) open failed: %d (%s)", path, err, strerror(-err));
    return;
  }
  off_t size = file.seekTo(0, SEEK_END);
  if (size < 0 || size > kMaxSettingsSize || file.seekTo(0, SEEK_SET) != 0) {
    ALOGE("settings file(%s) size unusable: %lld", path, static_cast<long long>(size));
    return;
  }
  if (size == 0) return;

  std::vector<char> data(static_cast<size_t>(size));
  ssize_t n = file.read(data.data(), data.size());
  if (n != static_cast<ssize_t>(size)) {
    ALOGE("settings file(%s) read failed: %zd of %lld bytes", path, n,
          static_cast<long long>(size));
    return;
  }
  sp<JSONCompound> parsed = JSONCompound::Parse(data.data(), data.size());
  if (parsed == nullptr || !parsed->isObject()) {
    ALOGE("settings file(%s) holds no JSON object", path);
    return;
  }
  *settings = static_cast<JSONObject*>(parsed.get());
}

}  // namespace android

SensorSaved::SensorSaved() : mDirectory(settingsDirectory()) {
  mPath[0] = '\0';
  mTempPath[0] = '\0';
}

void SensorSaved::resetDirectoryForTest() {
  Mutex::Autolock lock(gDirectoryLock);
  gDirectory = nullptr;
}

bool SensorSaved::buildPath(const char* file) {
  int n = snprintf(mPath, sizeof mPath, "%s/%s", mDirectory, file);
  return n >= 0 && static_cast<size_t>(n) < sizeof mPath;
}

bool SensorSaved::getCalibrationInt32(const char* file, const char* key, int32_t* out,
                                      size_t count) {
  return getCalibration(file, key, out, count);
}

bool SensorSaved::getCalibrationFloat(const char* file, const char* key, float* out,
                                      size_t count) {
  return getCalibration(file, key, out, count);
}

void SensorSaved::saveCalibrationInt32(const char* file, const char* key, const int32_t* values,
                                       size_t count) {
  saveCalibration(file, key, values, count);
}

void SensorSaved::saveCalibrationFloat(const char* file, const char* key, const float* values,
                                       size_t count) {
  saveCalibration(file, key, values, count);
}

template <typename T>
bool SensorSaved::getCalibration(const char* file, const char* key, T* out, size_t count) {
  Mutex::Autolock lock(mLock);
  if (!file || !key || !out) return false;
  if (!buildPath(file)) {
    ALOGE("settings file(%s) open failed: %d (%s)", file, -ENAMETOOLONG, strerror(ENAMETOOLONG));
    return false;
  }
  sp<JSONObject> settings;
  android::loadSensorSettings(mPath, &settings);

  JSONValue value;
  sp<JSONArray> array;
  if (!settings->getValue(key, &value) || !value.getArray(&array)) return false;
  for (size_t i = 0; i < count; ++i) {
    JSONValue element;
    if (!array->getValue(i, &element) || !readElement(element, &out[i])) return false;
  }
  return true;
}

template <typename T>
void SensorSaved::saveCalibration(const char* file, const char* key, const T* values,
                                  size_t count) {
  Mutex::Autolock lock(mLock);
  if (!values || !file || !key) return;

  sp<JSONArray> array = new JSONArray;
  for (size_t i = 0; i < count; ++i) {
    JSONValue element;
    setElement(&element, values[i]);
    array->addValue(element);
  }
  JSONValue arrayValue;
  arrayValue.setArray(array);
  sp<JSONObject> settings = new JSONObject;
  settings->setValue(key, arrayValue);
  writeSettings(file, settings->toString(0, false));
}

// Writes the text to the temporary file, flushes it and renames it over the
// settings file: readers see either the old file or the complete new one.
void SensorSaved::writeSettings(const char* file, const AString& text) {
  int n = -1;
  if (buildPath(file)) n = snprintf(mTempPath, sizeof mTempPath, "%s%s", mPath, kTempSuffix);
  if (n < 0 || static_cast<size_t>(n) >= sizeof mTempPath) {
    ALOGE("saved settings(%s) file open failed %d (%s)", file, -ENAMETOOLONG,
          strerror(ENAMETOOLONG));
    return;
  }

  File out(mTempPath, "w");
  status_t err = out.initCheck();
  if (err != OK) {
    ALOGE("saved settings(%s) file open failed %d (%s)", mPath, err, strerror(-err));
    return;
  }
  ssize_t written = out.write(text.c_str(), text.size());
  err = written < 0 ? static_cast<status_t>(written) : OK;
  if (err == OK) err = out.sync();
  status_t closeErr = out.close();
  if (err == OK) err = closeErr;
  if (err != OK) {
    ALOGE("saved settings file write failed %d (%s)", err, strerror(-err));
    kv_unlink(mTempPath);
    return;
  }

  if (kv_rename(mTempPath, mPath) != 0) {
    err = -errno;
    ALOGE("saved settings(%s) file rename failed %d (%s)", mPath, err, strerror(-err));
    kv_unlink(mTempPath);
    return;
  }
  // Make the new directory entry itself durable.
  File dir(mDirectory, "r");
  if (dir.initCheck() == OK) dir.sync();
}
