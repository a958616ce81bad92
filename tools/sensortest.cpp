// sensortest: lists the sensors the module announces and streams their events,
// the way an engineer checks sensors on a handset from the shell.
//
//   sensortest [--root DIR] list
//   sensortest [--root DIR] stream [-s HANDLE[@HZ[/LATENCY_MS]]]... [-d SECONDS] [-f] [-q]
//
// Without --root a simulated handset is started from the staged image, its
// sensor devices served in this process (a device lying still on a table).
// With --root the tool joins a handset that another process serves
// (kv-sim create, kv-sensorsim --root).
#include <hardware/hardware.h>
#include <hardware/sensors.h>
#include <inttypes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <utils/SystemClock.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sim/handset.h"
#include "sim/sensor_simulator.h"

namespace {

struct Request {
  int handle;
  double hz = 50;
  double latencyMs = 0;
};

struct Summary {
  uint64_t count = 0;
  int64_t first = 0;
  int64_t last = 0;
  double latencySumMs = 0;
  double latencyMaxMs = 0;
  uint64_t flushes = 0;
};

int usage() {
  fprintf(stderr,
          "usage: sensortest [--root DIR] list\n"
          "       sensortest [--root DIR] stream [-s HANDLE[@HZ[/LATENCY_MS]]]... [-d SECONDS] [-f] [-q]\n"
          "  -s  sensor to activate (default: 1@50, the accelerometer at 50 Hz)\n"
          "  -d  how long to stream (default 3 s)\n"
          "  -f  flush every sensor at the end and wait for the answers\n"
          "  -q  print the summary only\n");
  return 2;
}

bool parseRequest(const char* text, Request* r) {
  char* end = nullptr;
  r->handle = static_cast<int>(strtol(text, &end, 10));
  if (end == text || r->handle <= 0) return false;
  if (*end == '@') {
    const char* p = end + 1;
    r->hz = strtod(p, &end);
    if (end == p || r->hz <= 0) return false;
  }
  if (*end == '/') {
    const char* p = end + 1;
    r->latencyMs = strtod(p, &end);
    if (end == p || r->latencyMs < 0) return false;
  }
  return *end == '\0';
}

const char* reportingMode(uint64_t flags) {
  switch ((flags & SENSOR_FLAG_MASK_REPORTING_MODE) >> SENSOR_FLAG_SHIFT_REPORTING_MODE) {
    case 0: return "continuous";
    case 1: return "on-change";
    case 2: return "one-shot";
    default: return "special";
  }
}

void printList(const sensor_t* list, int count) {
  printf("%-6s %-16s %-10s %-6s %-30s %10s %10s %-11s %s\n", "handle", "name", "vendor", "type",
         "string type", "minDelay", "maxDelay", "mode", "wake-up");
  for (int i = 0; i < count; ++i) {
    const sensor_t& s = list[i];
    printf("%-6d %-16s %-10s %-6d %-30s %8dus %8" PRId64 "us %-11s %s\n", s.handle, s.name, s.vendor,
           s.type, s.stringType ? s.stringType : "", s.minDelay, static_cast<int64_t>(s.maxDelay),
           reportingMode(s.flags), (s.flags & SENSOR_FLAG_WAKE_UP) ? "yes" : "no");
  }
  printf("%d sensors\n", count);
}

const sensor_t* findSensor(const sensor_t* list, int count, int handle) {
  for (int i = 0; i < count; ++i)
    if (list[i].handle == handle) return &list[i];
  return nullptr;
}

void printEvent(const sensors_event_t& e, int64_t now) {
  if (e.type == SENSOR_TYPE_META_DATA) {
    printf("flush complete  handle=%d  t=%" PRId64 "\n", e.meta_data.sensor, e.timestamp);
    return;
  }
  printf("handle=%-3d type=%-3d t=%" PRId64 "  [%9.4f %9.4f %9.4f]  accuracy=%d  delay=%.2fms\n",
         e.sensor, e.type, e.timestamp, e.data[0], e.data[1], e.data[2], e.acceleration.status,
         static_cast<double>(now - e.timestamp) / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  std::string root;
  int arg = 1;
  if (arg + 1 < argc && !strcmp(argv[arg], "--root")) {
    root = argv[arg + 1];
    arg += 2;
  }
  if (arg >= argc) return usage();
  std::string command = argv[arg++];
  if (command != "list" && command != "stream") return usage();

  std::vector<Request> requests;
  double seconds = 3;
  bool flushAtEnd = false, quiet = false;
  for (; arg < argc; ++arg) {
    if (!strcmp(argv[arg], "-s") && arg + 1 < argc) {
      Request r;
      if (!parseRequest(argv[++arg], &r)) {
        fprintf(stderr, "sensortest: bad sensor request '%s' (HANDLE[@HZ[/LATENCY_MS]])\n", argv[arg]);
        return 2;
      }
      requests.push_back(r);
    } else if (!strcmp(argv[arg], "-d") && arg + 1 < argc) {
      seconds = atof(argv[++arg]);
      if (seconds <= 0) return usage();
    } else if (!strcmp(argv[arg], "-f")) {
      flushAtEnd = true;
    } else if (!strcmp(argv[arg], "-q")) {
      quiet = true;
    } else {
      return usage();
    }
  }
  if (requests.empty()) requests.push_back(Request{1});

  // The handset: joined, or started here with its sensor devices.
  std::string error;
  std::unique_ptr<kv::sim::Handset> handset;
  std::unique_ptr<kv::sim::SensorSimulator> sim;
  if (!root.empty()) {
    handset = kv::sim::Handset::join(root, true, &error);
  } else {
    handset = kv::sim::Handset::create({}, &error);
    if (handset) {
      sim = kv::sim::SensorSimulator::create(*handset, &error);
      if (!sim || !sim->addAllDevices(&error)) handset.reset();
    }
  }
  if (!handset) {
    fprintf(stderr, "sensortest: %s\n", error.c_str());
    return 1;
  }

  const hw_module_t* hw = nullptr;
  int err = hw_get_module(SENSORS_HARDWARE_MODULE_ID, &hw);
  if (err != 0) {
    fprintf(stderr, "sensortest: hw_get_module(\"sensors\") failed: %s\n", strerror(-err));
    return 1;
  }
  auto* module = reinterpret_cast<sensors_module_t*>(const_cast<hw_module_t*>(hw));
  hw_device_t* device = nullptr;
  if ((err = hw->methods->open(hw, SENSORS_HARDWARE_POLL, &device)) != 0) {
    fprintf(stderr, "sensortest: cannot open the poll device: %d\n", err);
    return 1;
  }
  auto* dev = reinterpret_cast<sensors_poll_device_1*>(device);
  const sensor_t* list = nullptr;
  int count = module->get_sensors_list(module, &list);
  printf("module \"%s\" by %s from %s\n", hw->name, hw->author, handset->root().c_str());

  if (command == "list") {
    printList(list, count);
    dev->common.close(&dev->common);
    return 0;
  }

  std::map<int, Summary> summary;
  for (const Request& r : requests) {
    const sensor_t* s = findSensor(list, count, r.handle);
    if (!s) {
      fprintf(stderr, "sensortest: no sensor with handle %d (see 'sensortest list')\n", r.handle);
      dev->common.close(&dev->common);
      return 1;
    }
    int64_t period = static_cast<int64_t>(1e9 / r.hz);
    int64_t latency = static_cast<int64_t>(r.latencyMs * 1e6);
    int b = dev->batch(dev, r.handle, 0, period, latency);
    int a = dev->activate(&dev->v0, r.handle, 1);
    printf("activated %s (handle %d) at %.1f Hz, latency %.0f ms%s\n", s->name, r.handle, r.hz,
           r.latencyMs, (a || b) ? "  -- the module refused it" : "");
    summary[r.handle];
  }

  const int64_t start = android::elapsedRealtimeNano();
  const int64_t end = start + static_cast<int64_t>(seconds * 1e9);
  bool flushed = false;
  size_t answers = 0;
  sensors_event_t buf[128];
  for (;;) {
    int64_t now = android::elapsedRealtimeNano();
    if (now >= end && !flushed) {
      if (!flushAtEnd) break;
      for (const Request& r : requests) dev->flush(dev, r.handle);
      printf("flush requested\n");
      flushed = true;
    }
    if (flushed && answers >= requests.size()) break;
    int n = dev->poll(&dev->v0, buf, 128);
    now = android::elapsedRealtimeNano();
    for (int i = 0; i < n; ++i) {
      const sensors_event_t& e = buf[i];
      if (!quiet) printEvent(e, now);
      if (e.type == SENSOR_TYPE_META_DATA) {
        ++summary[e.meta_data.sensor].flushes;
        ++answers;
        continue;
      }
      Summary& s = summary[e.sensor];
      if (s.count++ == 0) s.first = e.timestamp;
      s.last = e.timestamp;
      double ms = static_cast<double>(now - e.timestamp) / 1e6;
      s.latencySumMs += ms;
      if (ms > s.latencyMaxMs) s.latencyMaxMs = ms;
    }
  }
  for (const Request& r : requests) dev->activate(&dev->v0, r.handle, 0);

  printf("\n%-6s %-16s %8s %12s %14s %14s %8s\n", "handle", "name", "events", "rate (Hz)",
         "latency mean", "latency max", "flushes");
  for (const auto& [handle, s] : summary) {
    const sensor_t* sensor = findSensor(list, count, handle);
    double span = static_cast<double>(s.last - s.first) / 1e9;
    double rate = (s.count > 1 && span > 0) ? static_cast<double>(s.count - 1) / span : 0;
    printf("%-6d %-16s %8" PRIu64 " %12.1f %12.2fms %12.2fms %8" PRIu64 "\n", handle,
           sensor ? sensor->name : "?", s.count, rate,
           s.count ? s.latencySumMs / static_cast<double>(s.count) : 0.0, s.latencyMaxMs, s.flushes);
  }
  dev->common.close(&dev->common);
  return 0;
}
