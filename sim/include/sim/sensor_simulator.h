// The simulated sensor kernel of a handset root: the sensor misc devices
// ("/dev/m_*_misc" FIFOs), their sysfs attribute directories, "/dev/sensorlist"
// and the magnetometer library record, with the drivers' behaviour (flush
// answers, data at the requested period) and a log of every attribute write.
//
// One simulator thread follows the attribute directories with inotify and
// emits the due data records. An attribute write is recorded when the writer
// closes the file: the simulator reads the file, takes the written bytes and
// empties the file so that the next write is seen exactly. Two writes to the
// same attribute closer together than the simulator reacts (tens of
// microseconds) can merge into one recorded write, and a write landing between
// the simulator's read and its emptying of the file is lost; writers that wait
// for each write (waitForWrites) see every write exactly.
#pragma once

#include <stdint.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/sensor_devices.h"
#include "sim/sensor_record.h"

namespace kv::sim {

class Handset;

// One write into an attribute file, as the writer left it.
struct AttributeWrite {
  std::string device;     // misc name: "m_acc_misc"
  std::string attribute;  // file name: "accbatch"
  std::string bytes;      // exactly the bytes written, NULs included
};

// Values of a device's data records. Called on the simulator thread with the
// record's timestamp and handle (sensor id) set, flush_action 0, status 3 and
// zero words; `sequence` counts the samples of that sensor id since it was
// enabled. Returns false to emit nothing for this sample. It must not call the
// simulator.
using SensorScene = std::function<bool(uint64_t sequence, SensorRecord& record)>;

struct SensorRecordCounts {
  uint64_t data = 0;    // data records emitted at the sensors' periods
  uint64_t flush = 0;   // flush-complete answers
  uint64_t dropped = 0; // records lost on a full FIFO
};

class SensorSimulator {
 public:
  // Serves the handset root at the host path `root` (which must exist). Null
  // with a message in *error when the simulator thread cannot start.
  static std::unique_ptr<SensorSimulator> create(const std::string& root,
                                                 std::string* error = nullptr);
  static std::unique_ptr<SensorSimulator> create(const Handset& handset,
                                                 std::string* error = nullptr);
  // Stops the thread and removes the nodes and files this simulator created.
  ~SensorSimulator();
  SensorSimulator(const SensorSimulator&) = delete;
  SensorSimulator& operator=(const SensorSimulator&) = delete;

  const std::string& root() const { return root_; }

  // Devices are named by misc name ("m_acc_misc") or prefix ("acc"). Adding
  // creates "<root>/dev/<misc>" as a FIFO held open for writing (a reader's
  // open never blocks) and "<root>/sys/class/sensor/<misc>/" with the
  // attributes active (holding the divisor text), delay, batch, flush and cali.
  // A device that is not added does not exist. Adding twice changes nothing.
  bool addDevice(const std::string& device, std::string* error = nullptr);
  bool addAllDevices(std::string* error = nullptr);
  bool hasDevice(const std::string& device) const;
  // Host paths of a device's node and of one of its attribute files ("accbatch").
  std::string devicePath(const std::string& device) const;
  std::string attributePath(const std::string& device, const std::string& attribute) const;

  // "/dev/sensorlist": at most seven chip names of at most 16 bytes, each in a
  // NUL-padded 16-byte slot (a 16-byte name has no NUL; missing slots are
  // empty). The bytes form writes the file as given (a short table, ...).
  bool setSensorList(const std::vector<std::string>& names);
  bool setSensorListBytes(const std::string& bytes);
  bool removeSensorList();

  // "/sys/class/sensor/m_mag_misc/maglibinfo": the 72-byte record (a name of
  // 64 bytes or more fills the field without a NUL), or bytes as given.
  bool setMagLibInfo(const std::string& name, int32_t layout, int32_t deviceId);
  bool setMagLibInfoBytes(const std::string& bytes);
  bool removeMagLibInfo();

  // Records into a device's FIFO, each call one write(): one record, a batch,
  // or any bytes. Writes never block: false when the FIFO lacks room for the
  // whole write, which then writes nothing.
  bool writeRecord(const std::string& device, const SensorRecord& record);
  bool writeRecords(const std::string& device, const std::vector<SensorRecord>& records);
  bool writeRaw(const std::string& device, const std::string& bytes);

  // Attribute writes recorded so far, in order.
  std::vector<AttributeWrite> attributeWrites() const;
  // Waits until at least `count` writes are recorded; false on timeout.
  bool waitForWrites(size_t count, std::chrono::milliseconds timeout) const;
  void clearWrites();
  // Called on the simulator thread after each recorded write (kv-sensorsim
  // prints them). It must not call the simulator.
  void setWriteListener(std::function<void(const AttributeWrite&)> listener);

  // The active attribute reads back the divisor text, as the kernel's does
  // (the simulator puts it back after each recorded write); these put it back
  // after a test changed it, or set another text, which the default scene
  // then scales its values by.
  bool setDivisorText(const std::string& device, const std::string& text);
  bool resetDivisors();

  // The values of a device's data records; resetScene restores the table scene.
  bool setScene(const std::string& device, SensorScene scene);
  bool resetScene(const std::string& device);

  // Whether data records of sensor id `id` are being emitted: enabled through
  // the active attribute with a period from batch or delay. A period of 0
  // paces at 200 ms (on-change sensors), shorter than 1 ms at 1 ms.
  bool isStreaming(const std::string& device, int id) const;
  SensorRecordCounts recordCounts(const std::string& device) const;

 private:
  struct State;
  explicit SensorSimulator(std::string root);
  std::string root_;
  std::unique_ptr<State> state_;
};

}  // namespace kv::sim
