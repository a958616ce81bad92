// Arbitrates activation and batching between the clients of the module and
// distributes every polled event to the clients that asked for it.
#pragma once

#include <hardware/sensors.h>
#include <stdint.h>

#include <map>
#include <mutex>
#include <set>
#include <vector>

#include "SensorConnection.h"

struct sensors_poll_context_t;

class SensorManager {
 public:
  struct BatchParams {
    int32_t flags = 0;
    int64_t batchDelay = -1;    // sampling period, ns
    int64_t batchTimeout = -1;  // maximum report latency, ns
    bool operator==(const BatchParams& o) const {
      return flags == o.flags && batchDelay == o.batchDelay && batchTimeout == o.batchTimeout;
    }
  };

  struct Info {
    BatchParams bestBatchParams;
    std::map<SensorConnection*, BatchParams> batchParams;

    int setBatchParamsForIdent(SensorConnection* connection, int flags, int64_t period,
                               int64_t latency);
    void removeBatchParamsForIdent(SensorConnection* connection);
    void selectBatchParams(const SensorManager& manager);
    int numActiveClients(const SensorManager& manager) const;
  };

  static constexpr int kMaxPollEvents = 128;

  static SensorManager* getInstance();
  // Deletes the singleton (module close).
  static void destroyInstance();

  SensorConnection* createSensorConnection(int module);
  void removeSensorConnection(SensorConnection* connection);
  void cleanupConnection(SensorConnection* connection);
  void setNativeConnection(SensorConnection* connection) { mNativeConnection = connection; }
  void setDirectConnection(SensorConnection* connection) { mDirectConnection = connection; }
  void setSensorContext(sensors_poll_context_t* context) { mContext = context; }

  void addSensorsList(const sensor_t* list, size_t count);
  int64_t getSensorMinDelayNs(int sensorId);
  int64_t getSensorMaxDelayNs(int sensorId);

  int activate(SensorConnection* connection, int32_t sensorId, bool enabled);
  int batch(SensorConnection* connection, int32_t sensorId, int64_t samplingPeriodNs,
            int64_t maxBatchReportLatencyNs);
  int flush(SensorConnection* connection, int32_t sensorId);
  int pollEvent(sensors_event_t* data, int count);
  // Hands the events to their clients; returns how many went to out (the
  // framework's). out may be events itself.
  int parsePollData(sensors_event_t* out, const sensors_event_t* events, int n);
  int setEvent(sensors_event_t* event, int driverIndex);

  bool isClientDisabledLocked(SensorConnection* connection) const {
    return mDisabledClients.count(connection) != 0;
  }
  // The parameters last selected for the hardware (tests and tools).
  bool bestBatchParams(int32_t sensorId, BatchParams* out);

 private:
  SensorManager() = default;
  const sensor_t* findSensor(int32_t sensorId) const;

  SensorConnection* mNativeConnection = nullptr;
  SensorConnection* mDirectConnection = nullptr;
  sensors_poll_context_t* mContext = nullptr;

  // Guards the connections and every connection's active set; held while
  // events are distributed.
  std::mutex mLock;
  std::set<SensorConnection*> mConnections;
  std::set<SensorConnection*> mDisabledClients;

  // Guards the infos, their requests and the sensor list copy, for the whole of
  // an activate or batch: requests of internal drivers and of the host never
  // interleave. Recursive: an internal driver's enable runs inside the host's
  // activate and calls back into the manager on the same thread.
  std::recursive_mutex mInfoLock;
  std::map<int32_t, Info> mActivationInfo;
  std::vector<sensor_t> mSensorList;

  static SensorManager* SensorManagerInstance;
};
