// The file versions this library reads, per audio type.
#include <string.h>

#include "Log.h"

namespace {

struct SupportedVer {
  const char* name;
  int paramUnitDescVerMaj, paramUnitDescVerMin, audioParamVerMaj, audioParamVerMin;
};

const SupportedVer supportedVerTable[] = {
    {"AudioCommonSetting", 1, 0, 1, 0}, {"PlaybackACF", 1, 0, 1, 0},
    {"Playback", 1, 0, 1, 0},           {"PlaybackDRC", 1, 0, 1, 0},
    {"PlaybackHCF", 1, 0, 1, 0},        {"PlaybackVolAna", 1, 0, 1, 0},
    {"PlaybackVolDigi", 1, 0, 1, 0},    {"PlaybackVolUI", 1, 0, 1, 0},
    {"Record", 1, 0, 1, 0},             {"RecordDMNR", 1, 0, 1, 0},
    {"RecordFIR", 1, 0, 1, 0},          {"RecordUI", 1, 0, 1, 0},
    {"RecordVol", 1, 0, 1, 0},          {"RecordVolUI", 1, 0, 1, 0},
    {"Speech", 1, 0, 1, 0},             {"SpeechDMNR", 1, 0, 1, 0},
    {"SpeechGeneral", 1, 0, 1, 0},      {"SpeechMagiClarity", 1, 0, 1, 0},
    {"SpeechUI", 1, 0, 1, 0},           {"SpeechVol", 1, 0, 1, 0},
    {"SpeechVolUI", 1, 0, 1, 0},        {"VoIP", 1, 0, 1, 0},
    {"VoIPDMNR", 1, 0, 1, 0},           {"VoIPGeneral", 1, 0, 1, 0},
    {"VoIPUI", 1, 0, 1, 0},             {"VoIPVol", 1, 0, 1, 0},
    {"VoIPVolUI", 1, 0, 1, 0},          {"Volume", 1, 0, 1, 0},
    {"VolumeGainMap", 1, 0, 1, 0},
};
static_assert(sizeof supportedVerTable / sizeof supportedVerTable[0] == 29,
              "one row per audio type of the handset");

}  // namespace

extern "C" {

int appHandleGetAudioTypeSupportedVerInfo(const char* audioTypeName, int* paramUnitDescVerMaj,
                                          int* paramUnitDescVerMin, int* audioParamVerMaj,
                                          int* audioParamVerMin) {
  const SupportedVer* row = nullptr;
  for (const SupportedVer& r : supportedVerTable) {
    if (audioTypeName != nullptr && strcmp(r.name, audioTypeName) == 0) {
      row = &r;
      break;
    }
  }
  static const SupportedVer fallback = {nullptr, 1, 0, 1, 0};
  if (row == nullptr) {
    INFO_LOG("%s(), %s AudioType version support info not found! Set the version with default 1.0\n",
             __FUNCTION__, audioTypeName ? audioTypeName : "NULL");
    row = &fallback;
  }
  if (paramUnitDescVerMaj) *paramUnitDescVerMaj = row->paramUnitDescVerMaj;
  if (paramUnitDescVerMin) *paramUnitDescVerMin = row->paramUnitDescVerMin;
  if (audioParamVerMaj) *audioParamVerMaj = row->audioParamVerMaj;
  if (audioParamVerMin) *audioParamVerMin = row->audioParamVerMin;
  return 1;
}

void appHandleShowAudioTypeSupportedVerInfo(AppHandle* appHandle) {
  INFO_LOG("%s(), ===========(AppHandle = 0x%p)============\n", __FUNCTION__, (void*)appHandle);
  int i = 0;
  for (const SupportedVer& r : supportedVerTable) {
    INFO_LOG("%s(), [%d] %s, ParamUnitDesc ver(%d.%d), AudioParam ver(%d.%d)\n", __FUNCTION__, i++,
             r.name, r.paramUnitDescVerMaj, r.paramUnitDescVerMin, r.audioParamVerMaj,
             r.audioParamVerMin);
  }
}

}  // extern "C"
