#include "SensorManager.h"

#include <inttypes.h>
#include <string.h>

#include <algorithm>
#include <climits>

#include "SensorContext.h"

#define LOG_TAG "SensorManager"
#include <log/log.h>

SensorManager* SensorManager::SensorManagerInstance = nullptr;

SensorManager* SensorManager::getInstance() {
  if (!SensorManagerInstance) SensorManagerInstance = new SensorManager();
  return SensorManagerInstance;
}

void SensorManager::destroyInstance() {
  delete SensorManagerInstance;
  SensorManagerInstance = nullptr;
}

// --- Info -------------------------------------------------------------------

int SensorManager::Info::setBatchParamsForIdent(SensorConnection* connection, int, int64_t period,
                                                int64_t latency) {
  auto it = batchParams.find(connection);
  if (it == batchParams.end()) {
    ALOGE("setBatchParamsForIdent(connection=%p, period_ns=%" PRId64 " timeout=%" PRId64 ")",
          connection, period, latency);
    return -1;
  }
  it->second = BatchParams{0, period, latency};
  return 0;
}

void SensorManager::Info::removeBatchParamsForIdent(SensorConnection* connection) {
  batchParams.erase(connection);
}

void SensorManager::Info::selectBatchParams(const SensorManager& manager) {
  BatchParams best;
  bool any = false;
  for (const auto& [connection, params] : batchParams) {
    if (manager.mDisabledClients.count(connection)) continue;
    if (!any) {
      best.batchDelay = params.batchDelay;
      best.batchTimeout = params.batchTimeout;
      any = true;
    } else {
      best.batchDelay = std::min(best.batchDelay, params.batchDelay);
      best.batchTimeout = std::min(best.batchTimeout, params.batchTimeout);
    }
  }
  best.flags = 0;
  bestBatchParams = best;
}

int SensorManager::Info::numActiveClients(const SensorManager& manager) const {
  int n = 0;
  for (const auto& entry : batchParams)
    if (!manager.mDisabledClients.count(entry.first)) ++n;
  return n;
}

// --- connections -------------------------------------------------------------

SensorConnection* SensorManager::createSensorConnection(int module) {
  auto* connection = new SensorConnection(module);
  std::lock_guard<std::mutex> lock(mLock);
  mConnections.insert(connection);
  return connection;
}

void SensorManager::removeSensorConnection(SensorConnection* connection) {
  if (!connection) return;
  {
    std::lock_guard<std::mutex> lock(mLock);
    mConnections.erase(connection);
    mDisabledClients.erase(connection);
  }
  // Its requests go with it: a later connection at the same address must not
  // inherit them. The hardware is not reprogrammed here.
  {
    std::lock_guard<std::recursive_mutex> infoLock(mInfoLock);
    for (auto& entry : mActivationInfo) {
      Info& info = entry.second;
      if (info.batchParams.erase(connection)) info.selectBatchParams(*this);
    }
  }
  delete connection;
}

void SensorManager::cleanupConnection(SensorConnection* connection) {
  std::lock_guard<std::mutex> lock(mLock);
  mDisabledClients.erase(connection);
}

// --- sensor list -------------------------------------------------------------

void SensorManager::addSensorsList(const sensor_t* list, size_t count) {
  std::lock_guard<std::recursive_mutex> infoLock(mInfoLock);
  for (size_t i = 0; i < count; ++i) {
    int32_t id = list[i].handle - 1;
    mActivationInfo[id] = Info();
    if (mContext) mContext->activate(id, 0);
    mSensorList.push_back(list[i]);
  }
}

const sensor_t* SensorManager::findSensor(int32_t sensorId) const {
  for (const sensor_t& s : mSensorList)
    if (s.handle == sensorId + 1) return &s;
  return nullptr;
}

int64_t SensorManager::getSensorMinDelayNs(int sensorId) {
  std::lock_guard<std::recursive_mutex> infoLock(mInfoLock);
  const sensor_t* s = findSensor(sensorId);
  return s ? static_cast<int64_t>(s->minDelay) * 1000 : -1;
}

int64_t SensorManager::getSensorMaxDelayNs(int sensorId) {
  std::lock_guard<std::recursive_mutex> infoLock(mInfoLock);
  const sensor_t* s = findSensor(sensorId);
  return s ? static_cast<int64_t>(s->maxDelay) * 1000 : -1;
}

bool SensorManager::bestBatchParams(int32_t sensorId, BatchParams* out) {
  std::lock_guard<std::recursive_mutex> infoLock(mInfoLock);
  auto it = mActivationInfo.find(sensorId);
  if (it == mActivationInfo.end()) return false;
  *out = it->second.bestBatchParams;
  return true;
}

// --- arbitration -------------------------------------------------------------

int SensorManager::batch(SensorConnection* connection, int32_t sensorId, int64_t samplingPeriodNs,
                         int64_t maxBatchReportLatencyNs) {
  std::lock_guard<std::recursive_mutex> infoLock(mInfoLock);
  if (const sensor_t* s = findSensor(sensorId)) {
    if (s->minDelay >= 1 && samplingPeriodNs < static_cast<int64_t>(s->minDelay) * 1000) {
      ALOGI("Correct mindelay: %" PRId64 " to avoid invalid sampling timer setting\n",
            samplingPeriodNs);
      samplingPeriodNs = static_cast<int64_t>(s->minDelay) * 1000;
    }
    if (s->maxDelay >= 1 && samplingPeriodNs > static_cast<int64_t>(s->maxDelay) * 1000) {
      ALOGI("Correct maxdelay: %" PRId64 " to avoid invalid sampling timer setting\n",
            samplingPeriodNs);
      samplingPeriodNs = static_cast<int64_t>(s->maxDelay) * 1000;
    }
  }
  auto it = mActivationInfo.find(sensorId);
  if (it == mActivationInfo.end()) {
    ALOGE("\tbatch >>>ERROR: handle: %d not found, sensor may load fail", sensorId);
    return -1;
  }
  Info& info = it->second;
  info.batchParams[connection] = BatchParams{0, samplingPeriodNs, maxBatchReportLatencyNs};

  BatchParams previous = info.bestBatchParams;
  info.selectBatchParams(*this);
  const BatchParams& best = info.bestBatchParams;
  if (best == previous) return 0;

  int err = mContext ? mContext->batch(sensorId, 0, best.batchDelay, best.batchTimeout) : 0;
  if (err < 0) {
    ALOGE("batch failed %d %d %" PRId64 " %" PRId64 " err = %d", sensorId, best.flags,
          best.batchDelay, best.batchTimeout, err);
    info.removeBatchParamsForIdent(connection);
    info.selectBatchParams(*this);
  }
  return err;
}

int SensorManager::activate(SensorConnection* connection, int32_t sensorId, bool enabled) {
  std::lock_guard<std::recursive_mutex> infoLock(mInfoLock);
  bool disabledClient;
  {
    std::lock_guard<std::mutex> lock(mLock);
    if (enabled) connection->addActiveHandle(static_cast<uint32_t>(sensorId));
    else connection->removeActiveHandle(static_cast<uint32_t>(sensorId));
    disabledClient = isClientDisabledLocked(connection);
  }
  auto it = mActivationInfo.find(sensorId);
  if (it == mActivationInfo.end()) {
    ALOGE("\tactivate >>>ERROR: handle: %d not found, sensor may load fail", sensorId);
    return -1;
  }
  Info& info = it->second;

  if (enabled) {
    if (disabledClient) {
      ALOGE("activate, isClientDisabledLocked(%p):true, handle:%d", connection, sensorId);
      return -1;
    }
    if (!info.batchParams.count(connection)) {
      ALOGE("\tactivate >>>ERROR: activate called without batch");
      return 0;
    }
    // Only the first requesting client switches the hardware on.
    if (info.numActiveClients(*this) != 1) return 0;
  } else {
    if (!info.batchParams.count(connection)) return 0;
    info.removeBatchParamsForIdent(connection);
    info.selectBatchParams(*this);
    if (info.numActiveClients(*this) > 0) {
      // Other clients remain: reprogram for them, the sensor stays on.
      if (mContext)
        mContext->batch(sensorId, 0, info.bestBatchParams.batchDelay,
                        info.bestBatchParams.batchTimeout);
      return 0;
    }
    if (disabledClient) return 0;
  }

  int err = mContext ? mContext->activate(sensorId, enabled) : 0;
  if (err != 0) {
    ALOGE("activate Error %s sensor %d", enabled ? "activating" : "disabling", sensorId);
    if (enabled) {
      info.removeBatchParamsForIdent(connection);
      info.selectBatchParams(*this);
    }
  }
  return err;
}

int SensorManager::flush(SensorConnection*, int32_t sensorId) {
  return mContext ? mContext->flush(sensorId) : -1;
}

int SensorManager::setEvent(sensors_event_t* event, int driverIndex) {
  if (mContext) mContext->setEvent(event, driverIndex);
  return 0;
}

// --- event path --------------------------------------------------------------

int SensorManager::pollEvent(sensors_event_t* data, int count) {
  count = std::min(count, kMaxPollEvents);
  if (count <= 0 || !mContext) return 0;
  // The caller's array is the scratch array: events the framework does not
  // get are overwritten as the framework's events are packed to the front.
  for (;;) {
    int n = mContext->pollEvent(data, count);
    if (n < 0) return 0;
    int delivered = parsePollData(data, data, n);
    if (delivered > 0) return delivered;
  }
}

namespace {

// Active-set lookups for a run of events, remembering the last answer: events
// of one sensor come in runs.
class ActiveLookup {
 public:
  explicit ActiveLookup(const SensorConnection* c) : mConnection(c) {}
  bool operator()(int32_t sensorId) {
    if (sensorId != mLastId) {
      mLastId = sensorId;
      mLastAnswer = mConnection->hasHandleIndexOf(static_cast<uint32_t>(sensorId));
    }
    return mLastAnswer;
  }

 private:
  const SensorConnection* mConnection;
  int32_t mLastId = INT32_MIN;
  bool mLastAnswer = false;
};

}  // namespace

int SensorManager::parsePollData(sensors_event_t* out, const sensors_event_t* events, int n) {
  std::lock_guard<std::mutex> lock(mLock);
  // Internal clients first: out may be the events array itself, and packing
  // the framework's events overwrites the others.
  for (SensorConnection* connection : mConnections) {
    if (connection == mNativeConnection || connection == mDirectConnection) continue;
    ActiveLookup active(connection);
    for (int i = 0; i < n; ++i) {
      const sensors_event_t& e = events[i];
      if (e.type == SENSOR_TYPE_META_DATA || !active(e.sensor - 1)) continue;
      sensors_event_t copy = e;
      copy.sensor = e.sensor - 1;
      if (mContext) mContext->setEvent(&copy, connection->getMoudle());
    }
  }
  // Direct report channels receive their events through their own manager.
  int delivered = 0;
  if (mNativeConnection && mConnections.count(mNativeConnection)) {
    ActiveLookup active(mNativeConnection);
    for (int i = 0; i < n; ++i) {
      const sensors_event_t& e = events[i];
      if (e.type != SENSOR_TYPE_META_DATA && !active(e.sensor - 1)) continue;
      if (&out[delivered] != &e) out[delivered] = e;
      ++delivered;
    }
  }
  return delivered;
}
