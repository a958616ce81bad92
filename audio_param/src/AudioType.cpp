// The audio type record: creation, release, dump and its lock.
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <paramvault/AudioType.h>

#include "Log.h"

extern "C" {

AudioType* audioTypeCreate(AppHandle* appHandle, const char* name) {
  AudioType* audioType = (AudioType*)calloc(1, sizeof(AudioType));
  audioType->name = strdup(name);
  audioType->paramUnitDescVerMaj = 1;
  audioType->audioParamVerMaj = 1;
  audioType->appHandle = appHandle;
  pthread_rwlock_init(&audioType->lock, nullptr);
  return audioType;
}

void audioTypeReleaseAudioParam(AudioType* audioType) {
  // The unit and tree tables are filled by the data-file loaders, which own
  // their entries; this build leaves both tables empty.
  if (audioType != nullptr) {
    audioType->paramTreeHash = nullptr;
    audioType->paramUnitHash = nullptr;
  }
}

void audioTypeRelease(AudioType* audioType) {
  if (audioType == nullptr) {
    return;
  }
  INFO_LOG("%s(), Free %s AudioType\n", __FUNCTION__, audioType->name);
  xmlFreeDoc(audioType->audioParamDoc);
  xmlFreeDoc(audioType->paramUnitDescDoc);
  xmlFreeDoc(audioType->paramTreeViewDoc);
  audioTypeReleaseAudioParam(audioType);
  pthread_rwlock_destroy(&audioType->lock);
  free(audioType->name);
  free(audioType->tabName);
  free(audioType);
}

void audioTypeDump(AudioType* audioType) {
  if (audioType == nullptr) {
    ERR_LOG("%s(), audioType is NULL\n", __FUNCTION__);
    return;
  }
  INFO_LOG("%s(), ====================================", __FUNCTION__);
  INFO_LOG("%s(), name = %s\n", __FUNCTION__, audioType->name);
  INFO_LOG("%s(), tabName = %s\n", __FUNCTION__, audioType->tabName ? audioType->tabName : "NULL");
  INFO_LOG("%s(), paramUnitDescVerMaj = %d\n", __FUNCTION__, audioType->paramUnitDescVerMaj);
  INFO_LOG("%s(), paramUnitDescVerMin = %d\n", __FUNCTION__, audioType->paramUnitDescVerMin);
  INFO_LOG("%s(), audioParamVerMaj = %d\n", __FUNCTION__, audioType->audioParamVerMaj);
  INFO_LOG("%s(), audioParamVerMin = %d\n", __FUNCTION__, audioType->audioParamVerMin);
  INFO_LOG("%s(), unusedParamId = %d\n", __FUNCTION__, audioType->unusedParamId);
  INFO_LOG("%s(), dirty = %d\n", __FUNCTION__, audioType->dirty);
  INFO_LOG("%s(), allowReload = %d\n", __FUNCTION__, audioType->allowReload);
}

AudioType* appHandleAddAudioType(AppHandle* appHandle, const char* audioTypeName) {
  if (appHandle == nullptr) {
    ERR_LOG("%s(), The appHandle is NULL\n", __FUNCTION__);
    return nullptr;
  }
  if (audioTypeName == nullptr) {
    ERR_LOG("%s(), The audioTypeName is NULL\n", __FUNCTION__);
    return nullptr;
  }
  AudioType* audioType = nullptr;
  HASH_FIND_STR(appHandle->audioTypeHash, audioTypeName, audioType);
  if (audioType != nullptr) {
    INFO_LOG("%s(), %s(), %s Audio type alread added\n", __FUNCTION__, __FUNCTION__, audioTypeName);
    return nullptr;
  }
  audioType = audioTypeCreate(appHandle, audioTypeName);
  HASH_ADD_KEYPTR(hh, appHandle->audioTypeHash, audioType->name, strlen(audioType->name), audioType);
  return audioType;
}

static int audioTypeLock(AudioType* audioType, const char* callerFun, const char* fun, bool write) {
  if (audioType == nullptr) {
    WARN_LOG("%s(), audioType is NULL\n", fun);
    return 0;
  }
  AppHandle* appHandle = audioType->appHandle;
  auto lockHandle = [&] {
    write ? appHandleWriteLock(appHandle, callerFun) : appHandleReadLock(appHandle, callerFun);
  };
  lockHandle();
  while ((write ? pthread_rwlock_trywrlock(&audioType->lock)
                : pthread_rwlock_tryrdlock(&audioType->lock)) != 0) {
    DEBUG_LOG("%s(), Cannot lock the %s audioType lock, delay some time. (the locker is %s())\n", fun,
              audioType->name, pvLoadName(&audioType->lockCallerFun));
    appHandleUnlock(appHandle);
    usleep(1);
    lockHandle();
  }
  pvStoreName(&audioType->lockCallerFun, callerFun);
  DEBUG_LOG("%s(), %s audioType lock is locked by %s()\n", fun, audioType->name, callerFun);
  return 0;
}

int audioTypeReadLock(AudioType* audioType, const char* callerFun) {
  return audioTypeLock(audioType, callerFun, __FUNCTION__, false);
}

int audioTypeWriteLock(AudioType* audioType, const char* callerFun) {
  return audioTypeLock(audioType, callerFun, __FUNCTION__, true);
}

int audioTypeUnlock(AudioType* audioType) {
  if (audioType == nullptr) {
    WARN_LOG("%s(), audioType is NULL\n", __FUNCTION__);
    return 0;
  }
  DEBUG_LOG("%s(), Unlock %s audioType lock\n", __FUNCTION__, audioType->name);
  int rc = pthread_rwlock_unlock(&audioType->lock);
  appHandleUnlock(audioType->appHandle);
  return rc;
}

}  // extern "C"
