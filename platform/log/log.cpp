// liblog for the host: lines in logcat's "threadtime" layout on stderr, or
// appended to the file named by KV_LOG_FILE, plus an in-process capture for tests.
#include <android/log.h>

#include <fcntl.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "kv/logcapture.h"

namespace {

std::mutex gLock;
bool gCapturing = false;
std::vector<kv::LogEntry>* gCaptured = nullptr;
std::string gFilePath;
int gFileFd = -1;

char priorityLetter(int prio) {
  static const char letters[] = "??VDIWEFS";
  return (prio >= 0 && prio <= ANDROID_LOG_SILENT) ? letters[prio] : '?';
}

int minPriority() {
  const char* level = getenv("KV_LOG_LEVEL");
  if (!level || !*level) return ANDROID_LOG_VERBOSE;
  for (int p = ANDROID_LOG_VERBOSE; p <= ANDROID_LOG_SILENT; ++p)
    if (priorityLetter(p) == (level[0] & ~0x20)) return p;
  return ANDROID_LOG_VERBOSE;
}

// Destination descriptor: the KV_LOG_FILE file (opened once per path) or stderr.
int destination() {
  const char* path = getenv("KV_LOG_FILE");
  if (!path || !*path) return STDERR_FILENO;
  if (gFileFd < 0 || gFilePath != path) {
    if (gFileFd >= 0) close(gFileFd);
    gFileFd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    gFilePath = path;
  }
  return gFileFd >= 0 ? gFileFd : STDERR_FILENO;
}

// One output line per line of text; trailing newlines end the message and open
// no empty line, as logcat shows it.
void emit(int prio, const char* tag, const char* text) {
  timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  tm local;
  localtime_r(&ts.tv_sec, &local);
  char prefix[128];
  snprintf(prefix, sizeof prefix, "%02d-%02d %02d:%02d:%02d.%03ld %5d %5ld %c %-8s: ",
           local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
           ts.tv_nsec / 1000000, static_cast<int>(getpid()),
           static_cast<long>(syscall(SYS_gettid)), priorityLetter(prio), tag);
  std::string body(text);
  while (!body.empty() && body.back() == '\n') body.pop_back();
  std::string out;
  size_t start = 0;
  for (;;) {
    size_t nl = body.find('\n', start);
    out += prefix;
    out.append(body, start, nl == std::string::npos ? std::string::npos : nl - start);
    out += '\n';
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  int fd = destination();
  const char* data = out.data();
  size_t left = out.size();
  while (left > 0) {
    ssize_t n = write(fd, data, left);
    if (n <= 0) break;
    data += n;
    left -= static_cast<size_t>(n);
  }
}

}  // namespace

extern "C" int __android_log_write(int prio, const char* tag, const char* text) {
  if (!tag) tag = "";
  if (!text) text = "";
  std::lock_guard<std::mutex> lock(gLock);
  if (gCapturing) gCaptured->push_back({prio, tag, text});
  if (prio >= minPriority() && prio < ANDROID_LOG_SILENT) emit(prio, tag, text);
  return 1;
}

extern "C" int __android_log_vprint(int prio, const char* tag, const char* fmt, va_list ap) {
  char buf[1024];  // liblog's message limit; longer messages are cut, as on a handset
  vsnprintf(buf, sizeof buf, fmt, ap);
  return __android_log_write(prio, tag, buf);
}

extern "C" int __android_log_print(int prio, const char* tag, const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  int r = __android_log_vprint(prio, tag, fmt, ap);
  va_end(ap);
  return r;
}

extern "C" void __android_log_assert(const char* cond, const char* tag, const char* fmt, ...) {
  char buf[1024];
  if (fmt) {
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
  } else {
    snprintf(buf, sizeof buf, "Assertion failed: %s", cond ? cond : "");
  }
  __android_log_write(ANDROID_LOG_FATAL, tag, buf);
  abort();
}

namespace kv {

LogCapture::LogCapture() {
  std::lock_guard<std::mutex> lock(gLock);
  if (!gCaptured) gCaptured = new std::vector<LogEntry>();
  gCaptured->clear();
  gCapturing = true;
}

LogCapture::~LogCapture() {
  std::lock_guard<std::mutex> lock(gLock);
  gCapturing = false;
  gCaptured->clear();
}

std::vector<LogEntry> LogCapture::entries() const {
  std::lock_guard<std::mutex> lock(gLock);
  return *gCaptured;
}

bool LogCapture::contains(int priority, const std::string& tag, const std::string& text) const {
  std::lock_guard<std::mutex> lock(gLock);
  for (const LogEntry& e : *gCaptured)
    if (e.priority == priority && e.tag == tag && e.text == text) return true;
  return false;
}

size_t LogCapture::count(const std::string& fragment) const {
  std::lock_guard<std::mutex> lock(gLock);
  size_t n = 0;
  for (const LogEntry& e : *gCaptured)
    if (e.text.find(fragment) != std::string::npos) ++n;
  return n;
}

void LogCapture::clear() {
  std::lock_guard<std::mutex> lock(gLock);
  gCaptured->clear();
}

}  // namespace kv
