// Finding the audio types in the search directories and loading them in stages.
#include <dirent.h>
#include <stdlib.h>
#include <string.h>

#include <kv/path.h>

#include <paramvault/AudioType.h>

#include "Log.h"

namespace {

constexpr size_t kMaxAudioTypeName = 50;

void freeDocs(AudioType* audioType) {
  if (audioType->audioParamDoc != nullptr) {
    xmlFreeDoc(audioType->audioParamDoc);
    audioType->audioParamDoc = nullptr;
  }
  if (audioType->paramUnitDescDoc != nullptr) {
    xmlFreeDoc(audioType->paramUnitDescDoc);
    audioType->paramUnitDescDoc = nullptr;
  }
}

void scanDir(AppHandle* appHandle, const char* dir) {
  struct dirent** entries = nullptr;
  int n = kv_scandir(dir, &entries, nullptr, alphasort);
  if (n < 0) {
    INFO_LOG("%s(), Scandir error (%s)\n", "appHandleLoadDirAudioTypeInfo", dir);
    return;
  }
  for (int i = n - 1; i >= 0; i--) {
    const char* fileName = entries[i]->d_name;
    if (strstr(fileName, AUDIO_PARAM_XML_POSFIX) != nullptr) {
      char audioType[kMaxAudioTypeName + 1];
      size_t len = strcspn(fileName, "_");
      if (len > kMaxAudioTypeName) {
        len = kMaxAudioTypeName;
      }
      memcpy(audioType, fileName, len);
      audioType[len] = '\0';
      if (appHandleIsValidAudioType(appHandle, audioType)) {
        appHandleAddAudioType(appHandle, audioType);
      } else {
        ALOGD_ALWAYS("%s(), Don't load audio param xml = %s\n", "appHandleLoadDirAudioTypeInfo",
                     fileName);
      }
    } else {
      DEBUG_LOG("%s(), File name's posfix is not AudioParam.xml (%s)\n",
                "appHandleLoadDirAudioTypeInfo", fileName);
    }
    free(entries[i]);
  }
  free(entries);
}

}  // namespace

extern "C" {

int appHandleLoadDirAudioTypeInfo(AppHandle* appHandle) {
  if (appHandle == nullptr) {
    ERR_LOG("%s(), appHandle is NULL!\n", __FUNCTION__);
    return 0;
  }
  appHandleReleaseAudioTypeHash(appHandle);
  for (int i = 0; appHandle->xmlDir != nullptr && appHandle->xmlDir[i] != nullptr; i++) {
    scanDir(appHandle, appHandle->xmlDir[i]);
  }
  INFO_LOG("%s(), xmlCusDirReady = %d\n", __FUNCTION__, appHandle->xmlCusDirReady);
  appHandleLoadAllAudioTypeXml(appHandle);
  appHandleRemoveAudioTypeByFeatureOptions(appHandle);
  appHandleReviseXmlDocByFeatureOptions(appHandle);
  appHandleLoadAllAudioTypeHash(appHandle);
  appHandleReleaseAllAudioTypeXml(appHandle);
  return 1;
}

int appHandleLoadAllAudioTypeXml(AppHandle* appHandle) {
  AudioType *audioType, *tmp;
  HASH_ITER(hh, appHandle->audioTypeHash, audioType, tmp) {
    if (!appHandleLoadAudioTypeXml(appHandle, audioType)) {
      WARN_LOG("%s(), Load audio type XML failed. (%s)\n", __FUNCTION__, audioType->name);
      // A type that failed (missing, broken or too new a file) stays listed with
      // empty tables; none of its files is used.
      freeDocs(audioType);
    }
  }
  INFO_LOG("%s(), Load all audio type XML - ok\n", __FUNCTION__);
  return 1;
}

int appHandleLoadAllAudioTypeHash(AppHandle* appHandle) {
  AudioType *audioType, *tmp;
  HASH_ITER(hh, appHandle->audioTypeHash, audioType, tmp) {
    if (audioType->paramUnitDescDoc != nullptr && audioType->audioParamDoc != nullptr) {
      audioTypeLoadStage1Hash(audioType);
    }
  }
  HASH_ITER(hh, appHandle->audioTypeHash, audioType, tmp) {
    if (audioType->paramUnitDescDoc != nullptr && audioType->audioParamDoc != nullptr) {
      audioTypeLoadStage2Hash(audioType);
    }
  }
  INFO_LOG("%s(), Load all audio Hash - ok\n", __FUNCTION__);
  if (__atomic_load_n(&appDebugLevel, __ATOMIC_RELAXED) == 0) {
    appHandleDumpAudioTypeList(appHandle);
  }
  return 1;
}

int appHandleReleaseAllAudioTypeXml(AppHandle* appHandle) {
  AudioType *audioType, *tmp;
  HASH_ITER(hh, appHandle->audioTypeHash, audioType, tmp) { freeDocs(audioType); }
  if (appHandle->featureOptionsDoc != nullptr) {
    xmlFreeDoc(appHandle->featureOptionsDoc);
    appHandle->featureOptionsDoc = nullptr;
  }
  return 1;
}

int appHandleReleaseAudioTypeHash(AppHandle* appHandle) {
  AudioType *audioType, *tmp;
  HASH_ITER(hh, appHandle->audioTypeHash, audioType, tmp) {
    HASH_DEL(appHandle->audioTypeHash, audioType);
    audioTypeRelease(audioType);
  }
  return 1;
}

// Feature options ("AudioParamOptions.xml") are not read by this build: the
// table stays empty and removes or revises nothing.
int appHandleLoadDirFeatureOptionsInfo(AppHandle* appHandle) { return appHandle != nullptr; }
int appHandleReleaseFeatureOptionsHash(AppHandle* appHandle) {
  if (appHandle != nullptr) {
    appHandle->featureOptionsHash = nullptr;
  }
  return 1;
}
void appHandleRemoveAudioTypeByFeatureOptions(AppHandle*) {}
void appHandleReviseXmlDocByFeatureOptions(AppHandle*) {}

size_t appHandleGetNumOfAudioType(AppHandle* appHandle) {
  if (appHandle == nullptr) {
    ERR_LOG("%s(), appHandle is NULL!\n", __FUNCTION__);
    return 0;
  }
  return HASH_COUNT(appHandle->audioTypeHash);
}

AudioType* appHandleGetAudioTypeByIndex(AppHandle* appHandle, size_t index) {
  if (appHandle == nullptr) {
    ERR_LOG("%s(), appHandle is NULL!\n", __FUNCTION__);
    return nullptr;
  }
  DEBUG_LOG("%s(), appHandle = 0x%p, index = %zu\n", __FUNCTION__, (void*)appHandle, index);
  size_t i = 0;
  for (AudioType* t = appHandle->audioTypeHash; t != nullptr; t = (AudioType*)t->hh.next, i++) {
    if (i == index) {
      return t;
    }
  }
  return nullptr;
}

AudioType* appHandleGetAudioTypeByName(AppHandle* appHandle, const char* name) {
  if (appHandle == nullptr) {
    ERR_LOG("%s(), appHandle is NULL!\n", __FUNCTION__);
    return nullptr;
  }
  DEBUG_LOG("%s(), appHandle = 0x%p, name = %s\n", __FUNCTION__, (void*)appHandle, name ? name : "NULL");
  if (name == nullptr) {
    return nullptr;
  }
  AudioType* found = nullptr;
  HASH_FIND_STR(appHandle->audioTypeHash, name, found);
  return found;
}

void appHandleDumpAudioTypeList(AppHandle* appHandle) {
  if (appHandle == nullptr) {
    ERR_LOG("%s(), appHandle is NULL!\n", __FUNCTION__);
    return;
  }
  INFO_LOG("%s(), =================================\n", __FUNCTION__);
  INFO_LOG("%s(), Totoal num of Audio Type List = %zu\n", __FUNCTION__,
           (size_t)HASH_COUNT(appHandle->audioTypeHash));
  size_t i = 0;
  for (AudioType* t = appHandle->audioTypeHash; t != nullptr; t = (AudioType*)t->hh.next, i++) {
    INFO_LOG("%s(), AudioType[%zu] = %s\n", __FUNCTION__, i, t->name);
    audioTypeDump(t);
  }
}

}  // extern "C"
