// The transport status of a HIDL call and Return<T>, the value of a call
// together with that status.
#pragma once

#include <utils/Errors.h>

#include <cstdint>
#include <string>
#include <utility>

namespace android {
namespace hardware {

class Status {
 public:
  enum Exception : int32_t {
    EX_NONE = 0,
    EX_SECURITY = -1,
    EX_BAD_PARCELABLE = -2,
    EX_ILLEGAL_ARGUMENT = -3,
    EX_NULL_POINTER = -4,
    EX_ILLEGAL_STATE = -5,
    EX_NETWORK_MAIN_THREAD = -6,
    EX_UNSUPPORTED_OPERATION = -7,
    EX_HAS_REPLY_HEADER = -128,
    EX_TRANSACTION_FAILED = -129,
  };

  Status() = default;
  static Status ok() { return Status(); }
  static Status fromExceptionCode(int32_t exceptionCode, const char* message = nullptr);
  // OK gives ok(); any other status a failed transaction carrying it.
  static Status fromStatusT(status_t status);

  bool isOk() const { return mException == EX_NONE; }
  int32_t exceptionCode() const { return mException; }
  status_t transactionError() const { return mErrorCode; }
  const std::string& exceptionMessage() const { return mMessage; }
  std::string description() const;

 private:
  int32_t mException = EX_NONE;
  status_t mErrorCode = OK;
  std::string mMessage;
};

namespace details {

class return_status {
 public:
  return_status() = default;
  explicit return_status(const Status& status) : mStatus(status) {}

  bool isOk() const { return mStatus.isOk(); }
  bool isDeadObject() const {
    return !mStatus.isOk() && mStatus.exceptionCode() == Status::EX_TRANSACTION_FAILED &&
           mStatus.transactionError() == DEAD_OBJECT;
  }
  const Status& status() const { return mStatus; }
  std::string description() const { return mStatus.description(); }

 private:
  Status mStatus;
};

}  // namespace details

template <typename T>
class Return : public details::return_status {
 public:
  Return(T value) : mVal(std::move(value)) {}  // NOLINT: implicit, as services write it
  Return(const Status& status) : details::return_status(status), mVal() {}  // NOLINT

  // The value; a default value when the call failed.
  operator T() const { return mVal; }  // NOLINT
  T withDefault(T fallback) const { return isOk() ? mVal : fallback; }

 private:
  T mVal;
};

template <>
class Return<void> : public details::return_status {
 public:
  Return() = default;
  Return(const Status& status) : details::return_status(status) {}  // NOLINT
};

inline Return<void> Void() { return Return<void>(); }

}  // namespace hardware
}  // namespace android
