#include "SensorEventReader.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include "kv/path.h"

#define LOG_TAG "SensorEventReader"
#include <log/log.h>

SensorEventCircularReader::SensorEventCircularReader(size_t capacity)
    : mCapacity(capacity),
      mRing(new sensor_event[2 * capacity]()),
      mRingEnd(mRing.get() + capacity),
      mFillPos(mRing.get()),
      mReadPos(mRing.get()),
      mFree(capacity) {}

SensorEventCircularReader::~SensorEventCircularReader() {
  if (mWriteFd >= 0) close(mWriteFd);
  if (mReadFd >= 0) close(mReadFd);
}

int SensorEventCircularReader::selectSensorEventFd(const char* path) {
  if (path) {
    // Non-blocking: a driver with records still in its ring counts as ready
    // and fills again; an empty device must then answer at once instead of
    // holding the poll thread until the kernel's next record.
    int fd;
    do {
      fd = kv_open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
      ALOGE("couldn't find device path=%s", path);
      return -1;
    }
    mReadFd = fd;
    return 0;
  }
  int fds[2];
  if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) < 0) {
    ALOGE("error creating pipe (%s)\n", strerror(errno));
    return -1;
  }
  mReadFd = fds[0];
  mWriteFd = fds[1];
  return 0;
}

ssize_t SensorEventCircularReader::fill() {
  if (mFree == 0) return 0;  // a full ring reads nothing; the kernel keeps the rest
  ssize_t nread;
  do {
    nread = read(mReadFd, mFillPos, mFree * sizeof(sensor_event));
  } while (nread < 0 && errno == EINTR);
  if (nread <= 0 || nread % static_cast<ssize_t>(sizeof(sensor_event)) != 0) return 0;
  size_t n = static_cast<size_t>(nread) / sizeof(sensor_event);
  mFillPos += n;
  mFree -= n;
  if (mFillPos > mRingEnd) {
    // The tail of this read crossed the end: move it to the start of the ring.
    size_t tail = static_cast<size_t>(mFillPos - mRingEnd);
    memcpy(mRing.get(), mRingEnd, tail * sizeof(sensor_event));
    mFillPos = mRing.get() + tail;
  }
  return static_cast<ssize_t>(n);
}

int SensorEventCircularReader::writeEvent(const sensor_event* record) {
  ssize_t n = write(mWriteFd, record, sizeof(sensor_event));
  if (n < 0) ALOGE("write event to mWriteFd failed fd=%d\n", mWriteFd);
  return static_cast<int>(n);
}
