// Transport status values and their description.
#include <hidl/Status.h>

#include <cstring>

namespace android {
namespace hardware {

Status Status::fromExceptionCode(int32_t exceptionCode, const char* message) {
  Status s;
  s.mException = exceptionCode;
  if (exceptionCode == EX_TRANSACTION_FAILED) s.mErrorCode = UNKNOWN_ERROR;
  if (message) s.mMessage = message;
  return s;
}

Status Status::fromStatusT(status_t status) {
  Status s;
  if (status != OK) {
    s.mException = EX_TRANSACTION_FAILED;
    s.mErrorCode = status;
  }
  return s;
}

std::string Status::description() const {
  if (isOk()) return "No error";
  std::string text = "Status(" + std::to_string(mException) + ")";
  if (mException == EX_TRANSACTION_FAILED) {
    text += ": transaction failed, status " + std::to_string(mErrorCode);
    if (mErrorCode < 0 && mErrorCode > -4096) {
      text += " (" + std::string(strerror(-mErrorCode)) + ")";
    }
  }
  if (!mMessage.empty()) text += ": '" + mMessage + "'";
  return text;
}

}  // namespace hardware
}  // namespace android
