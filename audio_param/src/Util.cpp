// Small utilities of the handle's module: log-to-file, sleep, directories,
// standard input and the entry points kept for tools.
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <kv/path.h>

#include "Log.h"

extern "C" {

FILE* appLogFp = nullptr;
int outputLogToStdout = 0;

void utilLog(const char* fmt, ...) {
  time_t now = time(nullptr);
  struct tm tm;
  localtime_r(&now, &tm);
  if (appLogFp == nullptr) {
    char name[64];
    snprintf(name, sizeof name, "%04d%02d%02d_%02d%02d%02d_AppLogFile.txt", tm.tm_year + 1900,
             tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
    appLogFp = fopen(name, "a");  // in the current directory, by design
    if (appLogFp == nullptr) {
      printf("Log file open failed!");
      exit(1);
    }
  }
  fprintf(appLogFp, "%02d-%02d %02d:%02d:%02d ", tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
          tm.tm_sec);
  va_list ap;
  va_start(ap, fmt);
  vfprintf(appLogFp, fmt, ap);
  va_end(ap);
  if (outputLogToStdout) {
    va_start(ap, fmt);
    vprintf(fmt, ap);
    va_end(ap);
  }
}

void utilLogClose(void) {
  if (appLogFp != nullptr) {
    fflush(appLogFp);
    fclose(appLogFp);
    appLogFp = nullptr;
  }
}

void utilUsleep(unsigned int usec) { usleep(usec); }

void utilMkdir(const char* dir) {
  if (dir != nullptr) {
    kv_mkdir(dir, 0770);
  }
}

char* utilGetStdin(char* buf, int bufSize) {
  if (buf == nullptr || bufSize <= 0 || fgets(buf, bufSize, stdin) == nullptr) {
    return nullptr;
  }
  buf[strcspn(buf, "\n")] = '\0';
  return buf;
}

char* utilStrtok(char* str, const char* delim, char** saveptr) { return strtok_r(str, delim, saveptr); }

void appHandleRedirectIOToConsole(void) { INFO_LOG("%s(), ", __FUNCTION__); }

char* audioSystemGetParameters(const char*) { return strdup(""); }
void audioSystemSetParameters(const char*) {}
void utilShellExecute(const char*, const char*) {}
void showTreeRoot(void*, const char*) {}

void initProcessState(void) {
  // Once per process. On the handset this starts the binder thread pool
  // (ProcessState::self()->startThreadPool()) for the HIDL clients of the
  // process; this platform has no binder, so there is nothing to start.
  static pthread_once_t once = PTHREAD_ONCE_INIT;
  pthread_once(&once, [] {});
}

}  // extern "C"
