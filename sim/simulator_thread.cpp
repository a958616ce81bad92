// The simulator thread: attribute writes seen through inotify, the drivers'
// answers to them, and the data records due at each sensor's period.
#include <string.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <time.h>
#include <unistd.h>

#include "attribute_text.h"
#include "sensor_scene.h"
#include "simulator_state.h"

namespace kv::sim {

namespace {

constexpr int64_t kOnChangePeriodNs = 200000000;
constexpr int64_t kShortestPeriodNs = 1000000;
// A stream that fell behind catches up at most this many records at once and
// then skips ahead.
constexpr int kMaxCatchUp = 8;

std::string readWholeFile(const std::string& path) {
  std::string content;
  UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) return content;
  char buf[512];
  for (;;) {
    ssize_t n = read(fd.get(), buf, sizeof(buf));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    content.append(buf, static_cast<size_t>(n));
  }
  return content;
}

// The suffix of an attribute file of the device ("accbatch" -> "batch"), or null.
const char* attributeSuffix(const SensorDevice& device, const std::string& name) {
  std::string prefix = device.prefix;
  if (name.compare(0, prefix.size(), prefix) != 0) return nullptr;
  for (const char* suffix : kAttributeSuffixes) {
    if (name.compare(prefix.size(), std::string::npos, suffix) == 0) return suffix;
  }
  return nullptr;
}

// A data record waiting for its values, taken from the scene outside the lock.
struct DueRecord {
  DeviceState* device;
  std::shared_ptr<SensorScene> scene;
  std::shared_ptr<const std::vector<int>> divisors;
  uint64_t sequence;
  SensorRecord record;
};

}  // namespace

int64_t effectivePeriod(int64_t periodNs) {
  if (periodNs == 0) return kOnChangePeriodNs;
  return periodNs < kShortestPeriodNs ? kShortestPeriodNs : periodNs;
}

std::optional<AttributeWrite> SensorSimulator::State::takeWrite(int watchId,
                                                                const std::string& name) {
  auto it = byWatch.find(watchId);
  if (it == byWatch.end()) return std::nullopt;
  DeviceState& device = *it->second;
  const char* suffix = attributeSuffix(*device.info, name);
  if (!suffix) return std::nullopt;
  std::string path = device.dir + name;
  std::string content = readWholeFile(path);
  std::string& known = device.known[name];
  // Unchanged: a read-write open without a write (the divisor read), or a
  // write already taken with an earlier close.
  if (content == known) return std::nullopt;
  AttributeWrite write{device.info->misc, name, recoverWrite(content, known)};
  // The active attribute reads back the divisor, as the kernel's does, so a
  // module opened again finds it; every write to it ends in a NUL, which
  // separates the written bytes from the divisor text. The others are emptied.
  const bool active = strcmp(suffix, "active") == 0;
  if (active ? writeWholeFile(path, device.divisorText) : truncate(path.c_str(), 0) == 0)
    known = active ? device.divisorText : std::string();
  else
    known = content;
  writes.push_back(write);
  apply(device, suffix, write.bytes);
  written.notify_all();
  return write;
}

void SensorSimulator::State::apply(DeviceState& device, const std::string& suffix,
                                   const std::string& bytes) {
  const int primary = device.info->primaryId;
  int64_t now = bootTimeNs();
  int id = 0;
  int64_t period = 0;
  bool on = false;
  if (suffix == "active" && parseEnable(bytes, primary, &id, &on)) {
    SensorStream& stream = device.streams[id];
    if (on && !stream.enabled) {
      stream.sequence = 0;
      stream.nextDueNs = now + effectivePeriod(stream.periodNs);
    }
    stream.enabled = on;
  } else if ((suffix == "batch" && parseBatch(bytes, &id, &period)) ||
             (suffix == "delay" && parseDelay(bytes, primary, &id, &period))) {
    if (period < 0) return;
    SensorStream& stream = device.streams[id];
    bool wasScheduled = stream.scheduled();
    stream.periodNs = period;
    int64_t due = now + effectivePeriod(period);
    if (!wasScheduled || due < stream.nextDueNs) stream.nextDueNs = due;
  } else if (suffix == "flush" && parseFlush(bytes, &id)) {
    SensorRecord answer{};
    answer.timestamp = now;
    answer.handle = static_cast<int8_t>(id);
    answer.flush_action = kActionFlushComplete;
    if (writeFifo(device, &answer, sizeof(answer))) ++device.counts.flush;
    else ++device.counts.dropped;
  }
}

int64_t SensorSimulator::State::untilNextDue(int64_t now) const {
  int64_t soonest = -1;
  for (const auto& [name, device] : devices) {
    for (const auto& [id, stream] : device->streams) {
      if (!stream.scheduled()) continue;
      int64_t wait = stream.nextDueNs > now ? stream.nextDueNs - now : 0;
      if (soonest < 0 || wait < soonest) soonest = wait;
    }
  }
  return soonest;
}

void SensorSimulator::State::run() {
  alignas(inotify_event) char events[4096];
  for (;;) {
    int64_t wait;
    {
      std::lock_guard<std::mutex> hold(lock);
      if (stopping) return;
      wait = untilNextDue(bootTimeNs());
    }
    pollfd fds[2] = {{inotify.get(), POLLIN, 0}, {this->wake.get(), POLLIN, 0}};
    timespec timeout{static_cast<time_t>(wait / 1000000000), static_cast<long>(wait % 1000000000)};
    int ready = ppoll(fds, 2, wait < 0 ? nullptr : &timeout, nullptr);
    if (ready < 0 && errno != EINTR) return;
    if (fds[1].revents & POLLIN) {
      uint64_t count;
      ssize_t ignored = read(this->wake.get(), &count, sizeof(count));
      (void)ignored;
    }

    // Attribute writes first, so that a disable stops the records due now.
    std::vector<AttributeWrite> taken;
    std::function<void(const AttributeWrite&)> notify;
    {
      std::lock_guard<std::mutex> hold(lock);
      if (stopping) return;
      ssize_t n;
      while ((n = read(inotify.get(), events, sizeof(events))) > 0) {
        for (char* p = events; p < events + n;) {
          auto* event = reinterpret_cast<inotify_event*>(p);
          if ((event->mask & IN_CLOSE_WRITE) && event->len > 0) {
            if (auto write = takeWrite(event->wd, event->name)) taken.push_back(std::move(*write));
          }
          p += sizeof(inotify_event) + event->len;
        }
      }
      notify = listener;
    }
    if (notify) {
      for (const AttributeWrite& write : taken) notify(write);
    }

    std::vector<DueRecord> due;
    {
      std::lock_guard<std::mutex> hold(lock);
      int64_t now = bootTimeNs();
      for (auto& [name, device] : devices) {
        for (auto& [id, stream] : device->streams) {
          if (!stream.scheduled()) continue;
          int64_t period = effectivePeriod(stream.periodNs);
          for (int k = 0; k < kMaxCatchUp && stream.nextDueNs <= now; ++k) {
            DueRecord item{device.get(), device->scene, device->divisors, stream.sequence++, {}};
            item.record.timestamp = stream.nextDueNs;
            item.record.handle = static_cast<int8_t>(id);
            item.record.flush_action = kActionData;
            item.record.status = 3;
            due.push_back(std::move(item));
            stream.nextDueNs += period;
          }
          if (stream.nextDueNs <= now) stream.nextDueNs = now + period;
        }
      }
    }
    if (due.empty()) continue;
    for (DueRecord& item : due) {
      bool emit = item.scene ? (*item.scene)(item.sequence, item.record)
                             : tableScene(*item.divisors, item.sequence, item.record);
      if (!emit) item.device = nullptr;
    }
    std::lock_guard<std::mutex> hold(lock);
    for (DueRecord& item : due) {
      if (!item.device) continue;
      if (writeFifo(*item.device, &item.record, sizeof(item.record))) ++item.device->counts.data;
      else ++item.device->counts.dropped;
    }
  }
}

}  // namespace kv::sim
