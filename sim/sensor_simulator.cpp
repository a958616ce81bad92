// The sensor simulator's devices and files: FIFOs, attribute directories,
// "/dev/sensorlist", the magnetometer library record and the written records.
#include "sim/sensor_simulator.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <string.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "sim/handset.h"
#include "simulator_state.h"

namespace fs = std::filesystem;

namespace kv::sim {

namespace {

constexpr const char* kSysfsClass = "/sys/class/sensor/";
constexpr const char* kSensorList = "/dev/sensorlist";
constexpr const char* kMagLibInfo = "/sys/class/sensor/m_mag_misc/maglibinfo";

bool fail(std::string* error, const std::string& message) {
  if (error) *error = message;
  return false;
}

std::string errnoText(const std::string& what) { return what + ": " + strerror(errno); }


}  // namespace

// Replaces a plain file with `content` (the simulator's own files).
bool writeWholeFile(const std::string& path, const std::string& content) {
  UniqueFd fd(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!fd.valid()) return false;
  size_t done = 0;
  while (done < content.size()) {
    ssize_t n = write(fd.get(), content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

int64_t bootTimeNs() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

SensorSimulator::SensorSimulator(std::string root)
    : root_(std::move(root)), state_(std::make_unique<State>()) {
  state_->root = root_;
}

std::unique_ptr<SensorSimulator> SensorSimulator::create(const Handset& handset,
                                                         std::string* error) {
  return create(handset.root(), error);
}

std::unique_ptr<SensorSimulator> SensorSimulator::create(const std::string& root,
                                                         std::string* error) {
  std::error_code ec;
  if (!fs::is_directory(root, ec)) {
    fail(error, root + " is not a directory");
    return nullptr;
  }
  std::unique_ptr<SensorSimulator> sim(new SensorSimulator(fs::absolute(root, ec).string()));
  State& s = *sim->state_;
  s.inotify.reset(inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
  s.wake.reset(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
  if (!s.inotify.valid() || !s.wake.valid()) {
    fail(error, errnoText("cannot create the simulator's descriptors"));
    return nullptr;
  }
  s.thread = std::thread([&s] { s.run(); });
  return sim;
}

SensorSimulator::~SensorSimulator() {
  {
    std::lock_guard<std::mutex> hold(state_->lock);
    state_->stopping = true;
  }
  state_->wakeUp();
  if (state_->thread.joinable()) state_->thread.join();
  std::error_code ec;
  for (auto& [name, device] : state_->devices) {
    device->fifo.reset();
    fs::remove(device->node, ec);
    fs::remove_all(device->dir, ec);
  }
  for (const std::string& file : state_->createdFiles) fs::remove(file, ec);
  for (auto it = state_->createdDirs.rbegin(); it != state_->createdDirs.rend(); ++it)
    fs::remove(*it, ec);  // only when empty
}

void SensorSimulator::State::wakeUp() const {
  uint64_t one = 1;
  ssize_t ignored = write(wake.get(), &one, sizeof(one));
  (void)ignored;
}

DeviceState* SensorSimulator::State::find(const std::string& device) const {
  const SensorDevice* info = findSensorDevice(device);
  if (!info) return nullptr;
  auto it = devices.find(info->misc);
  return it == devices.end() ? nullptr : it->second.get();
}

bool SensorSimulator::State::writeFifo(DeviceState& device, const void* data, size_t size) {
  if (size > PIPE_BUF) {
    // Only writes up to PIPE_BUF are all-or-nothing; a larger one goes into an
    // empty FIFO that can hold it, or not at all.
    int queued = 0;
    int capacity = fcntl(device.fifo.get(), F_GETPIPE_SZ);
    if (ioctl(device.fifo.get(), FIONREAD, &queued) == 0 &&
        (queued != 0 || (capacity > 0 && size > static_cast<size_t>(capacity)))) {
      errno = EAGAIN;
      return false;
    }
  }
  ssize_t n;
  do {
    n = write(device.fifo.get(), data, size);
  } while (n < 0 && errno == EINTR);
  return n == static_cast<ssize_t>(size);
}

bool SensorSimulator::addDevice(const std::string& name, std::string* error) {
  const SensorDevice* info = findSensorDevice(name);
  if (!info) return fail(error, "no sensor device " + name);
  std::lock_guard<std::mutex> hold(state_->lock);
  if (state_->devices.count(info->misc)) return true;
  auto device = std::make_unique<DeviceState>();
  device->info = info;
  device->node = root_ + "/dev/" + info->misc;
  device->dir = root_ + kSysfsClass + info->misc + "/";
  device->divisorText = info->divisorText;
  device->divisors = std::make_shared<const std::vector<int>>(parseDivisors(info->divisorText));

  std::error_code ec;
  if (!fs::is_directory(root_ + kSysfsClass, ec)) {
    fs::create_directories(root_ + kSysfsClass, ec);
    state_->createdDirs.push_back(root_ + kSysfsClass);
  }
  fs::create_directories(device->dir, ec);
  if (ec) return fail(error, "cannot create " + device->dir + ": " + ec.message());
  for (const char* suffix : kAttributeSuffixes) {
    std::string file = std::string(info->prefix) + suffix;
    std::string content = strcmp(suffix, "active") == 0 ? device->divisorText : std::string();
    if (!writeWholeFile(device->dir + file, content))
      return fail(error, errnoText("cannot write " + device->dir + file));
    device->known[file] = content;
  }

  fs::create_directories(root_ + "/dev", ec);
  struct stat st {};
  if (lstat(device->node.c_str(), &st) == 0 && !S_ISFIFO(st.st_mode)) fs::remove(device->node, ec);
  if (mkfifo(device->node.c_str(), 0666) != 0 && errno != EEXIST)
    return fail(error, errnoText("cannot create " + device->node));
  // Read-write: the FIFO always has a writer, so a reader's open never blocks
  // and its poll never reports a hang-up.
  device->fifo.reset(open(device->node.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
  if (!device->fifo.valid()) return fail(error, errnoText("cannot open " + device->node));

  device->watch = inotify_add_watch(state_->inotify.get(), device->dir.c_str(), IN_CLOSE_WRITE);
  if (device->watch < 0) return fail(error, errnoText("cannot watch " + device->dir));
  state_->byWatch[device->watch] = device.get();
  state_->devices[info->misc] = std::move(device);
  return true;
}

bool SensorSimulator::addAllDevices(std::string* error) {
  for (const SensorDevice& device : sensorDevices()) {
    if (!addDevice(device.misc, error)) return false;
  }
  return true;
}

bool SensorSimulator::hasDevice(const std::string& device) const {
  std::lock_guard<std::mutex> hold(state_->lock);
  return state_->find(device) != nullptr;
}

std::string SensorSimulator::devicePath(const std::string& device) const {
  const SensorDevice* info = findSensorDevice(device);
  return info ? root_ + "/dev/" + info->misc : std::string();
}

std::string SensorSimulator::attributePath(const std::string& device,
                                           const std::string& attribute) const {
  const SensorDevice* info = findSensorDevice(device);
  return info ? root_ + kSysfsClass + info->misc + "/" + attribute : std::string();
}

bool SensorSimulator::setSensorList(const std::vector<std::string>& names) {
  if (names.size() > kSensorListSlots) return false;
  std::string table(kSensorListSize, '\0');
  for (size_t slot = 0; slot < names.size(); ++slot) {
    if (names[slot].size() > kSensorListSlotSize) return false;
    table.replace(slot * kSensorListSlotSize, names[slot].size(), names[slot]);
  }
  return setSensorListBytes(table);
}

bool SensorSimulator::setSensorListBytes(const std::string& bytes) {
  std::lock_guard<std::mutex> hold(state_->lock);
  std::string path = root_ + kSensorList;
  std::error_code ec;
  fs::create_directories(root_ + "/dev", ec);
  if (!writeWholeFile(path, bytes)) return false;
  auto& files = state_->createdFiles;
  if (std::find(files.begin(), files.end(), path) == files.end()) files.push_back(path);
  return true;
}

bool SensorSimulator::removeSensorList() {
  std::error_code ec;
  fs::remove(root_ + kSensorList, ec);
  return !ec;
}

bool SensorSimulator::setMagLibInfo(const std::string& name, int32_t layout, int32_t deviceId) {
  MagLibInfoRecord record{};
  memcpy(record.name, name.data(), std::min(name.size(), sizeof(record.name)));
  record.layout = layout;
  record.deviceId = deviceId;
  return setMagLibInfoBytes(std::string(reinterpret_cast<const char*>(&record), sizeof(record)));
}

bool SensorSimulator::setMagLibInfoBytes(const std::string& bytes) {
  std::lock_guard<std::mutex> hold(state_->lock);
  std::string path = root_ + kMagLibInfo;
  std::string dir = fs::path(path).parent_path().string();
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    if (!fs::is_directory(root_ + kSysfsClass, ec)) state_->createdDirs.push_back(root_ + kSysfsClass);
    fs::create_directories(dir, ec);
    state_->createdDirs.push_back(dir);
  }
  if (!writeWholeFile(path, bytes)) return false;
  auto& files = state_->createdFiles;
  if (std::find(files.begin(), files.end(), path) == files.end()) files.push_back(path);
  return true;
}

bool SensorSimulator::removeMagLibInfo() {
  std::error_code ec;
  fs::remove(root_ + kMagLibInfo, ec);
  return !ec;
}

bool SensorSimulator::writeRecord(const std::string& device, const SensorRecord& record) {
  return writeRaw(device, std::string(reinterpret_cast<const char*>(&record), sizeof(record)));
}

bool SensorSimulator::writeRecords(const std::string& device,
                                   const std::vector<SensorRecord>& records) {
  return writeRaw(device, std::string(reinterpret_cast<const char*>(records.data()),
                                      records.size() * sizeof(SensorRecord)));
}

bool SensorSimulator::writeRaw(const std::string& device, const std::string& bytes) {
  std::lock_guard<std::mutex> hold(state_->lock);
  DeviceState* d = state_->find(device);
  return d && state_->writeFifo(*d, bytes.data(), bytes.size());
}

std::vector<AttributeWrite> SensorSimulator::attributeWrites() const {
  std::lock_guard<std::mutex> hold(state_->lock);
  return state_->writes;
}

bool SensorSimulator::waitForWrites(size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock<std::mutex> hold(state_->lock);
  return state_->written.wait_for(hold, timeout,
                                  [&] { return state_->writes.size() >= count; });
}

void SensorSimulator::clearWrites() {
  std::lock_guard<std::mutex> hold(state_->lock);
  state_->writes.clear();
}

void SensorSimulator::setWriteListener(std::function<void(const AttributeWrite&)> listener) {
  std::lock_guard<std::mutex> hold(state_->lock);
  state_->listener = std::move(listener);
}

bool SensorSimulator::setDivisorText(const std::string& device, const std::string& text) {
  std::lock_guard<std::mutex> hold(state_->lock);
  DeviceState* d = state_->find(device);
  if (!d) return false;
  std::string file = std::string(d->info->prefix) + "active";
  if (!writeWholeFile(d->dir + file, text)) return false;
  d->known[file] = text;
  d->divisorText = text;
  d->divisors = std::make_shared<const std::vector<int>>(parseDivisors(text));
  return true;
}

bool SensorSimulator::resetDivisors() {
  std::vector<const SensorDevice*> added;
  {
    std::lock_guard<std::mutex> hold(state_->lock);
    for (auto& [name, device] : state_->devices) added.push_back(device->info);
  }
  bool ok = true;
  for (const SensorDevice* info : added) ok = setDivisorText(info->misc, info->divisorText) && ok;
  return ok;
}

bool SensorSimulator::setScene(const std::string& device, SensorScene scene) {
  std::lock_guard<std::mutex> hold(state_->lock);
  DeviceState* d = state_->find(device);
  if (!d) return false;
  d->scene = scene ? std::make_shared<SensorScene>(std::move(scene)) : nullptr;
  return true;
}

bool SensorSimulator::resetScene(const std::string& device) { return setScene(device, nullptr); }

bool SensorSimulator::isStreaming(const std::string& device, int id) const {
  std::lock_guard<std::mutex> hold(state_->lock);
  DeviceState* d = state_->find(device);
  if (!d) return false;
  auto it = d->streams.find(id);
  return it != d->streams.end() && it->second.scheduled();
}

SensorRecordCounts SensorSimulator::recordCounts(const std::string& device) const {
  std::lock_guard<std::mutex> hold(state_->lock);
  DeviceState* d = state_->find(device);
  return d ? d->counts : SensorRecordCounts{};
}

}  // namespace kv::sim
