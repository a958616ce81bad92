// android::File: one owned file descriptor opened through the handset path
// functions, closed by the destructor.
#pragma once

#include <stddef.h>
#include <stdio.h>
#include <sys/types.h>

#include <utils/Errors.h>

namespace android {

class File {
 public:
  File() = default;
  // Opens path; initCheck() tells whether it worked.
  File(const char* path, const char* mode);
  ~File();

  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Closes any file held, then opens path with mode: "r" read-only; "w"
  // write-only, created, truncated; "rw" read-write, created. Created files
  // get mode 0664. Gives the new initCheck().
  status_t setTo(const char* path, const char* mode);
  // Closes the file; 0 or -errno from close. initCheck() is NO_INIT again.
  status_t close();

  // NO_INIT (-19) until opened, then 0 or the -errno of the failed open.
  status_t initCheck() const { return mInitCheck; }

  // Reads up to size bytes, fewer only at the end of the file; or -errno.
  ssize_t read(void* data, size_t size);
  // Writes all size bytes and gives size, or -errno.
  ssize_t write(const void* data, size_t size);
  // The new offset, or -errno.
  off_t seekTo(off_t pos, int whence = SEEK_SET);
  // Flushes the file's data to its device: 0 or -errno.
  status_t sync();

 private:
  int mFd = -1;
  status_t mInitCheck = NO_INIT;
};

}  // namespace android
