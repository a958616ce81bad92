// Fuzz target of libparamvault-vnd: arbitrary bytes as the description and the
// data file of one audio type, loaded through appHandleParseXml.
// Input: description bytes, one NUL byte, data bytes (no NUL: all description).
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>

#include <paramvault/ParamVault.h>

#include "sim/handset.h"

namespace {

kv::sim::Handset* handset() {
  static std::unique_ptr<kv::sim::Handset> h = [] {
    setenv("KV_LOG_LEVEL", "S", 0);  // format every message, write none
    kv::sim::HandsetOptions o;
    o.stageImage = false;
    std::string err;
    auto made = kv::sim::Handset::create(o, &err);
    if (!made) abort();
    return made;
  }();
  return h.get();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kv::sim::Handset* h = handset();
  const char* bytes = reinterpret_cast<const char*>(data);
  const void* nul = memchr(data, 0, size);
  size_t descLen = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - data) : size;
  std::string desc(bytes, descLen);
  std::string audioParam = nul ? std::string(bytes + descLen + 1, size - descLen - 1) : std::string();
  h->writeFile("/vendor/etc/audio_param/Speech_ParamUnitDesc.xml", desc);
  h->writeFile("/vendor/etc/audio_param/Speech_AudioParam.xml", audioParam);

  appSetDebugLevel(0);
  AppHandle app;
  const char* dirs[] = {"/vendor/etc/audio_param/", nullptr};
  appHandleInit(&app);
  appHandleParseXml(&app, dirs, "/data/vendor/audiohal/audio_param/");
  AudioType* t = appHandleGetAudioTypeByName(&app, "Speech");
  if (t != nullptr) {
    audioTypeIsTuningToolSupportedXmlVer(t);
    appHandleDumpAudioTypeList(&app);
  }
  appHandleUninit(&app);
  return 0;
}
