// The loading list: which audio types a load may create.
#include <string.h>

#include "Log.h"

extern "C" {

const char** appAudioTypeLoadingList = nullptr;

int appSetAudioTypeLoadingList(const char** audioTypeLoadingList) {
  if (appAudioTypeLoadingList != nullptr) {
    WARN_LOG("%s(), audioTypeLoadingList already been setup. (cur = %s, new = %s)\n", __FUNCTION__,
             appAudioTypeLoadingList[0] ? appAudioTypeLoadingList[0] : "NULL",
             audioTypeLoadingList && audioTypeLoadingList[0] ? audioTypeLoadingList[0] : "NULL");
    return 0;
  }
  appAudioTypeLoadingList = audioTypeLoadingList;
  ALOGD_ALWAYS("%s(), Set audioTypeLoadingList with %p\n", __FUNCTION__, (void*)audioTypeLoadingList);
  utilDumpAudioTypeLoadingList(appAudioTypeLoadingList);
  return 1;
}

const char** appGetAudioTypeLoadingList(void) { return appAudioTypeLoadingList; }

void utilDumpAudioTypeLoadingList(const char** audioTypeLoadingList) {
  INFO_LOG("%s(), ===AudioTypeLoadingList===\n", __FUNCTION__);
  if (audioTypeLoadingList == nullptr) {
    INFO_LOG("%s(), All audio type\n", __FUNCTION__);
    return;
  }
  for (int i = 0; audioTypeLoadingList[i] != nullptr; i++) {
    INFO_LOG("%s(), [%d] %s\n", __FUNCTION__, i, audioTypeLoadingList[i]);
  }
}

int utilIsAudioTypeInLoadingList(const char* audioType) {
  if (appAudioTypeLoadingList == nullptr) {
    DEBUG_LOG("%s(), %s audio type is allow by default!\n", __FUNCTION__, audioType ? audioType : "NULL");
    return 1;
  }
  for (int i = 0; audioType != nullptr && appAudioTypeLoadingList[i] != nullptr; i++) {
    if (strcmp(appAudioTypeLoadingList[i], audioType) == 0) {
      DEBUG_LOG("%s(), %s audio type is in allow list!\n", __FUNCTION__, audioType);
      return 1;
    }
  }
  DEBUG_LOG("%s(), %s audio type is not in allow list!\n", __FUNCTION__, audioType ? audioType : "NULL");
  return 0;
}

int utilIsUIAudioType(const char* audioType) {
  if (audioType == nullptr) {
    return 0;
  }
  const char* ui = strstr(audioType, "UI");
  size_t len = strlen(audioType);
  // A UI type ends in its first "UI" and has something before it.
  return ui != nullptr && ui != audioType && ui == audioType + len - 2;
}

}  // extern "C"
