// The per-process service registry, its built-in services and its test hooks.
#define LOG_TAG "HidlServiceManagement"

#include <hidl/ServiceManagement.h>
#include <hidl/ServiceManagementTesting.h>

#include <log/log.h>

#include <map>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#include "Passthrough.h"
#include "Threadpool.h"

namespace android {
namespace hardware {
namespace details {

namespace {

using Key = std::pair<std::string, std::string>;  // descriptor, instance

struct Builtin {
  std::function<sp<IBase>()> factory;
  sp<IBase> instance;
};

struct Registry {
  std::mutex lock;
  std::map<Key, sp<IBase>> services;
  std::map<Key, Builtin> builtins;
  std::set<std::string> hidden;
  status_t registrationFailure = OK;
  bool passthroughDisabled = false;
};

Registry& registry() {
  // Never destroyed: services may be looked up from static destructors.
  static Registry* r = new Registry();
  return *r;
}

}  // namespace

status_t registerAsServiceInternal(const sp<IBase>& service, const std::string& instance) {
  if (service == nullptr) return BAD_VALUE;
  std::vector<std::string> chain;
  service->interfaceChain([&](const hidl_vec<hidl_string>& descriptors) {
    for (const hidl_string& d : descriptors) chain.emplace_back(d);
  });
  if (chain.empty()) return BAD_VALUE;

  Registry& r = registry();
  std::lock_guard<std::mutex> guard(r.lock);
  if (r.registrationFailure != OK) {
    ALOGW("registration of %s/%s refused (%d)", chain.front().c_str(), instance.c_str(),
          r.registrationFailure);
    return r.registrationFailure;
  }
  for (const std::string& descriptor : chain) {
    r.services[Key(descriptor, instance)] = service;
  }
  ALOGI("Registered %s/%s", chain.front().c_str(), instance.c_str());
  return OK;
}

sp<IBase> getRegisteredService(const std::string& descriptor, const std::string& instance) {
  Registry& r = registry();
  std::lock_guard<std::mutex> guard(r.lock);
  if (r.hidden.count(descriptor)) return nullptr;
  const Key key(descriptor, instance);
  auto it = r.services.find(key);
  if (it != r.services.end()) return it->second;
  auto builtin = r.builtins.find(key);
  if (builtin == r.builtins.end()) return nullptr;
  if (builtin->second.instance == nullptr) builtin->second.instance = builtin->second.factory();
  return builtin->second.instance;
}

void registerBuiltinService(const std::string& descriptor, const std::string& instance,
                            std::function<sp<IBase>()> factory) {
  Registry& r = registry();
  std::lock_guard<std::mutex> guard(r.lock);
  r.builtins[Key(descriptor, instance)] = Builtin{std::move(factory), nullptr};
}

void* getPassthroughFetch(const std::string& descriptor) {
  {
    Registry& r = registry();
    std::lock_guard<std::mutex> guard(r.lock);
    if (r.passthroughDisabled || r.hidden.count(descriptor)) return nullptr;
  }
  return loadPassthroughFetch(descriptor);
}

sp<IBase> getPassthroughBase(const std::string& descriptor, const std::string& instance) {
  void* fetch = getPassthroughFetch(descriptor);
  if (!fetch) return nullptr;
  return reinterpret_cast<IBase* (*)(const char*)>(fetch)(instance.c_str());
}

}  // namespace details

namespace testing {

void setRegistrationFailure(status_t status) {
  auto& r = details::registry();
  std::lock_guard<std::mutex> guard(r.lock);
  r.registrationFailure = status;
}

void setPassthroughDisabled(bool disabled) {
  auto& r = details::registry();
  std::lock_guard<std::mutex> guard(r.lock);
  r.passthroughDisabled = disabled;
}

void setServiceHidden(const std::string& descriptor, bool hidden) {
  auto& r = details::registry();
  std::lock_guard<std::mutex> guard(r.lock);
  if (hidden) {
    r.hidden.insert(descriptor);
  } else {
    r.hidden.erase(descriptor);
  }
}

void resetServiceRegistry() {
  std::map<details::Key, sp<details::IBase>> dropped;
  {
    auto& r = details::registry();
    std::lock_guard<std::mutex> guard(r.lock);
    dropped.swap(r.services);
    r.hidden.clear();
    r.registrationFailure = OK;
    r.passthroughDisabled = false;
  }
  // Services are released outside the lock: their destructors may look up others.
  dropped.clear();
  details::resetThreadpool();
}

}  // namespace testing
}  // namespace hardware
}  // namespace android
