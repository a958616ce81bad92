// Shared state of the sensor simulator: its devices, their sensor streams, the
// log of attribute writes and the simulator thread.
#pragma once

#include <stdint.h>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sim/sensor_simulator.h"
#include "unique_fd.h"

namespace kv::sim {

// The data records of one sensor id of a device.
struct SensorStream {
  bool enabled = false;
  int64_t periodNs = -1;  // from batch or delay; -1 while unknown
  int64_t nextDueNs = 0;  // CLOCK_BOOTTIME of the next record while scheduled
  uint64_t sequence = 0;  // samples since enabled

  bool scheduled() const { return enabled && periodNs >= 0; }
};

struct DeviceState {
  const SensorDevice* info = nullptr;
  std::string node;  // host path of the FIFO
  std::string dir;   // host path of the sysfs directory, with a final '/'
  UniqueFd fifo;     // read-write: the simulator is the FIFO's writer
  int watch = -1;
  std::string divisorText;
  std::shared_ptr<const std::vector<int>> divisors;
  // Content the simulator last left in each attribute file: the divisor text in
  // a fresh active file, else empty.
  std::map<std::string, std::string> known;
  std::map<int, SensorStream> streams;
  std::shared_ptr<SensorScene> scene;  // null: the table scene
  SensorRecordCounts counts;
};

struct SensorSimulator::State {
  std::string root;
  mutable std::mutex lock;
  mutable std::condition_variable written;
  std::map<std::string, std::unique_ptr<DeviceState>> devices;  // by misc name
  std::map<int, DeviceState*> byWatch;
  std::vector<AttributeWrite> writes;
  std::function<void(const AttributeWrite&)> listener;
  std::vector<std::string> createdFiles;  // sensorlist, maglibinfo
  std::vector<std::string> createdDirs;   // removed when empty, innermost first
  bool stopping = false;
  UniqueFd inotify;
  UniqueFd wake;  // eventfd that interrupts the thread's wait
  std::thread thread;

  // The thread body (simulator_thread.cpp).
  void run();
  void wakeUp() const;

  // Under `lock`:
  DeviceState* find(const std::string& device) const;
  // One write() into the device FIFO, never blocking; false writes nothing.
  bool writeFifo(DeviceState& device, const void* data, size_t size);
  // Records the write behind a close of `name` in the watched directory, if any.
  std::optional<AttributeWrite> takeWrite(int watch, const std::string& name);
  // The driver's answer to a write: enable, pace, flush.
  void apply(DeviceState& device, const std::string& suffix, const std::string& bytes);
  // Nanoseconds until the next due record, or -1 when none is scheduled.
  int64_t untilNextDue(int64_t now) const;
};

// Pace of a stream for a requested period (0: on-change pace; at least 1 ms).
int64_t effectivePeriod(int64_t periodNs);

// Replaces a plain file with `content` (the simulator's own files).
bool writeWholeFile(const std::string& path, const std::string& content);

}  // namespace kv::sim
