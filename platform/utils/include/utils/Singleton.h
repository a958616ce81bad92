// android::Singleton<TYPE>: one TYPE per process, created on first use under
// sLock. Derive TYPE from Singleton<TYPE> (befriending it if the constructor
// is private) and put ANDROID_SINGLETON_STATIC_INSTANCE(TYPE) in exactly one
// source file: it defines the lock and the instance pointer.
#pragma once

#include <utils/Mutex.h>

namespace android {

template <typename TYPE>
class Singleton {
 public:
  static TYPE& getInstance() {
    Mutex::Autolock _l(sLock);
    TYPE* instance = sInstance;
    if (instance == nullptr) {
      instance = new TYPE();
      sInstance = instance;
    }
    return *instance;
  }

  static bool hasInstance() {
    Mutex::Autolock _l(sLock);
    return sInstance != nullptr;
  }

 protected:
  Singleton() = default;
  ~Singleton() = default;

 private:
  Singleton(const Singleton&) = delete;
  Singleton& operator=(const Singleton&) = delete;

  static Mutex sLock;
  static TYPE* sInstance;
};

#define ANDROID_SINGLETON_STATIC_INSTANCE(TYPE)                                   \
  template <>                                                                     \
  ::android::Mutex(::android::Singleton<TYPE>::sLock)(::android::Mutex::PRIVATE); \
  template <>                                                                     \
  TYPE* ::android::Singleton<TYPE>::sInstance(nullptr);                           \
  template class ::android::Singleton<TYPE>;

}  // namespace android
