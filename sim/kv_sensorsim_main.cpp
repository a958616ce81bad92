// kv-sensorsim: serves the simulated sensor devices of a handset root until
// SIGINT or SIGTERM, printing every attribute write, so that other processes
// (the demo, tools) can use a handset that this process serves.
//   kv-sensorsim --root DIR [--devices all|acc,mag,...] [--sensorlist n0,...,n6]
//                [--maglibinfo NAME,LAYOUT,DEVICEID]
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <sstream>
#include <string>
#include <vector>

#include "sim/handset.h"
#include "sim/sensor_simulator.h"

namespace {

int usage() {
  fprintf(stderr,
          "usage: kv-sensorsim --root DIR [--devices all|acc,mag,...]\n"
          "                    [--sensorlist name0,...,name6] [--maglibinfo NAME,LAYOUT,DEVICEID]\n");
  return 2;
}

std::vector<std::string> splitCommas(const std::string& text) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, ',')) parts.push_back(part);
  return parts;
}

// The written bytes as text: printable characters, escapes for the others, and
// a trailing run of NULs as a count.
std::string describe(const std::string& bytes) {
  size_t end = bytes.size();
  while (end > 0 && bytes[end - 1] == '\0') --end;
  std::string text = "\"";
  for (size_t i = 0; i < end; ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
      text += static_cast<char>(c);
    } else {
      char escape[8];
      snprintf(escape, sizeof(escape), "\\x%02x", c);
      text += escape;
    }
  }
  text += "\"";
  if (end < bytes.size()) text += " + " + std::to_string(bytes.size() - end) + " NUL";
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  std::string root, devices = "all", sensorList, magLibInfo;
  for (int i = 1; i < argc; ++i) {
    if (i + 1 >= argc) return usage();
    if (!strcmp(argv[i], "--root")) root = argv[++i];
    else if (!strcmp(argv[i], "--devices")) devices = argv[++i];
    else if (!strcmp(argv[i], "--sensorlist")) sensorList = argv[++i];
    else if (!strcmp(argv[i], "--maglibinfo")) magLibInfo = argv[++i];
    else return usage();
  }
  if (root.empty()) return usage();

  std::string error;
  auto handset = kv::sim::Handset::join(root, false, &error);
  if (!handset) {
    fprintf(stderr, "kv-sensorsim: %s\n", error.c_str());
    return 1;
  }
  // The simulator thread inherits the mask: only sigwait below takes the signals.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  auto sim = kv::sim::SensorSimulator::create(*handset, &error);
  if (!sim) {
    fprintf(stderr, "kv-sensorsim: %s\n", error.c_str());
    return 1;
  }
  bool added = devices == "all" ? sim->addAllDevices(&error) : true;
  if (devices != "all") {
    for (const std::string& name : splitCommas(devices)) {
      if (!(added = sim->addDevice(name, &error))) break;
    }
  }
  if (!added) {
    fprintf(stderr, "kv-sensorsim: %s\n", error.c_str());
    return 1;
  }
  if (!sensorList.empty() && !sim->setSensorList(splitCommas(sensorList))) {
    fprintf(stderr, "kv-sensorsim: --sensorlist takes at most 7 names of at most 16 bytes\n");
    return 1;
  }
  if (!magLibInfo.empty()) {
    std::vector<std::string> parts = splitCommas(magLibInfo);
    if (parts.size() != 3 ||
        !sim->setMagLibInfo(parts[0], atoi(parts[1].c_str()), atoi(parts[2].c_str()))) {
      fprintf(stderr, "kv-sensorsim: --maglibinfo takes NAME,LAYOUT,DEVICEID\n");
      return 1;
    }
  }
  sim->setWriteListener([](const kv::sim::AttributeWrite& write) {
    printf("%s/%s: %zu bytes %s\n", write.device.c_str(), write.attribute.c_str(),
           write.bytes.size(), describe(write.bytes).c_str());
    fflush(stdout);
  });
  printf("kv-sensorsim: serving %s\n", sim->root().c_str());
  fflush(stdout);

  int signal = 0;
  sigwait(&stopSignals, &signal);
  printf("kv-sensorsim: stopped by signal %d\n", signal);
  return 0;
}
