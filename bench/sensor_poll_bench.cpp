// Event path from simulated misc devices through the module's poll entry
// point, beside the floor measured in the same run: plain read() of the same
// records from the same FIFO.
//   sensor_poll_bench [rounds]
#include <errno.h>
#include <fcntl.h>
#include <hardware/sensors.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <new>
#include <string>
#include <vector>

#include "PhysicalSensor.h"
#include "SensorContext.h"
#include "sim/handset.h"

extern "C" struct sensors_module_t HMI;

namespace {

std::atomic<long> gAllocations{0};
std::atomic<bool> gCounting{false};

struct Device {
  const char* misc;
  const char* prefix;
  int driverIndex;
  int sensorId;
  int type;
};
// Accelerometer, light and pressure: three listed sensors on three slots.
const Device kDevices[] = {
    {"m_acc_misc", "acc", 0, 0, SENSOR_TYPE_ACCELEROMETER},
    {"m_als_misc", "als", 3, 4, SENSOR_TYPE_LIGHT},
    {"m_baro_misc", "baro", 5, 5, SENSOR_TYPE_PRESSURE},
};
PhysicalSensorDesc gDescs[3];
std::string gPaths[3][2];

// A plain pattern driver for each benchmark device.
class BenchSensor : public PhysicalSensor {
 public:
  explicit BenchSensor(const PhysicalSensorDesc& desc) : PhysicalSensor(desc) { readDivisor("read dev err"); }
  int enable(int32_t, int en) override { return writeAttribute("active", attr::activeFlag(en)); }
  int batch(int id, int flags, int64_t p, int64_t l) override {
    return writeAttribute("batch", attr::batch(id, flags, p, l));
  }
  int flush(int id) override { return writeAttribute("flush", attr::flush(id)); }

 protected:
  bool processEvent(const sensor_event& r) override {
    mPendingEvent.timestamp = r.timestamp;
    for (int i = 0; i < 3; ++i) mPendingEvent.data[i] = static_cast<float>(r.word[i]) / mDivisor;
    return r.flush_action == 0;
  }
};

SensorBase* benchDriver(int index, bool hwGyro) {
  for (int i = 0; i < 3; ++i)
    if (kDevices[i].driverIndex == index) return new BenchSensor(gDescs[i]);
  return sensors_poll_context_t::createDefaultDriver(index, hwGyro);
}

int64_t nowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Fills a FIFO with n records of one sensor (the pipe is sized to hold them).
void fill(int fd, int8_t sensorId, int n) {
  std::vector<sensor_event> records(static_cast<size_t>(n));
  memset(records.data(), 0, records.size() * sizeof(sensor_event));
  for (auto& r : records) {
    r.handle = sensorId;
    r.word[2] = 9807;
  }
  const char* p = reinterpret_cast<const char*>(records.data());
  size_t left = records.size() * sizeof(sensor_event);
  while (left > 0) {
    ssize_t w = write(fd, p, left);
    if (w <= 0) break;
    p += w;
    left -= static_cast<size_t>(w);
  }
}

struct Result {
  double nsPerEvent;
  long allocationsPerCall;
};

// Fills the active devices' FIFOs, then times draining them with readSome;
// the best of `rounds` rounds.
template <typename ReadFn>
Result measure(int devices, const std::vector<int>& fds, int perDevice, int rounds, ReadFn readSome) {
  double best = 1e30;
  long allocations = 0;
  for (int round = 0; round < rounds; ++round) {
    for (int i = 0; i < devices; ++i) fill(fds[i], static_cast<int8_t>(kDevices[i].sensorId), perDevice);
    const long total = static_cast<long>(devices) * perDevice;
    long got = 0, calls = 0;
    gAllocations = 0;
    gCounting = true;
    int64_t start = nowNs();
    while (got < total) {
      got += readSome();
      ++calls;
    }
    int64_t elapsed = nowNs() - start;
    gCounting = false;
    best = std::min(best, static_cast<double>(elapsed) / static_cast<double>(got));
    allocations = std::max(allocations, gAllocations / std::max(1L, calls));
  }
  return {best, allocations};
}

}  // namespace

void* operator new(size_t size) {
  if (gCounting.load(std::memory_order_relaxed)) ++gAllocations;
  void* p = malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  return p;
}
void operator delete(void* p) noexcept { free(p); }
void operator delete(void* p, size_t) noexcept { free(p); }

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? atoi(argv[1]) : 20;
  const int perDevice = 25000;  // records queued per device and round
  kv::sim::HandsetOptions options;
  options.stageImage = false;
  std::string error;
  auto handset = kv::sim::Handset::create(options, &error);
  if (!handset) {
    fprintf(stderr, "sensor_poll_bench: %s\n", error.c_str());
    return 1;
  }
  std::vector<int> writeFds;
  for (int i = 0; i < 3; ++i) {
    const Device& d = kDevices[i];
    gPaths[i][0] = std::string("/dev/") + d.misc;
    gPaths[i][1] = std::string("/sys/class/sensor/") + d.misc + "/";
    gDescs[i] = {"Bench", gPaths[i][0].c_str(), gPaths[i][1].c_str(), d.prefix, 128, d.sensorId, d.type};
    mkfifo(handset->hostPath(gPaths[i][0]).c_str(), 0666);
    for (const char* attr : {"active", "batch", "flush"})
      handset->writeFile(gPaths[i][1] + d.prefix + attr, strcmp(attr, "active") ? "" : "1000");
    int fd = open(handset->hostPath(gPaths[i][0]).c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    fcntl(fd, F_SETPIPE_SZ, 1 << 20);
    writeFds.push_back(fd);
  }

  sensors_poll_context_t::sDriverFactory = benchDriver;
  hw_device_t* device = nullptr;
  HMI.common.methods->open(&HMI.common, SENSORS_HARDWARE_POLL, &device);
  auto* poll = reinterpret_cast<sensors_poll_device_1*>(device);
  const sensor_t* list;
  HMI.get_sensors_list(&HMI, &list);

  printf("%d rounds of %d records per device, 128-event arrays, best round\n", rounds, perDevice);
  printf("%-8s %14s %14s %14s %8s %12s\n", "sensors", "module ns/ev", "raw read ns/ev",
         "module ev/s", "ratio", "allocs/call");
  for (int active = 1; active <= 3; active += 2) {
    for (int i = 0; i < active; ++i) {
      poll->batch(poll, kDevices[i].sensorId + 1, 0, 5000000, 0);
      poll->activate(&poll->v0, kDevices[i].sensorId + 1, 1);
    }
    sensors_event_t buffer[128];
    Result module = measure(active, writeFds, perDevice, rounds, [&] {
      return static_cast<long>(poll->poll(&poll->v0, buffer, 128));
    });
    for (int i = 0; i < active; ++i) poll->activate(&poll->v0, kDevices[i].sensorId + 1, 0);
    // The floor: the same FIFOs read into a buffer, one device after another,
    // 128 records a call.
    sensor_event raw[128];
    int next = 0;
    Result floor = measure(active, writeFds, perDevice, rounds, [&] {
      long n = 0;
      for (int tries = 0; tries < active && n == 0; ++tries) {
        ssize_t r = read(writeFds[next], raw, sizeof raw);
        next = (next + 1) % active;
        if (r > 0) n = r / static_cast<long>(sizeof(sensor_event));
      }
      return n;
    });
    printf("%-8d %14.1f %14.1f %14.0f %8.2f %12ld\n", active, module.nsPerEvent, floor.nsPerEvent,
           1e9 / module.nsPerEvent, module.nsPerEvent / floor.nsPerEvent, module.allocationsPerCall);
  }
  device->close(device);
  return 0;
}
