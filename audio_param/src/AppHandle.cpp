// The handle: the process instance, init, loading and teardown.
#include <signal.h>
#include <stdlib.h>
#include <string.h>

#include <libxml/parser.h>
#include <utlist.h>

#include <paramvault/AudioType.h>

#include "Log.h"
#include "SearchDirs.h"

namespace {

const char kCustomDir[] = "/data/vendor/audiohal/audio_param/";

AppHandle appHandleInst;
// Set once the instance is initialised and loaded; cleared by its uninit.
unsigned char appHandleInited = 0;

}  // namespace

extern "C" {

int isCustXmlEnable(void) {
  INFO_LOG("%s(), %s(), always return 1\n", __FUNCTION__, __FUNCTION__);
  return 1;
}

AppHandle* appHandleGetInstance(void) {
  appHandleInstWriteLock(__FUNCTION__);
  if (!__atomic_load_n(&appHandleInited, __ATOMIC_ACQUIRE)) {
    appHandleInit(&appHandleInst);
    const char** dirList = appGetXmlDirFromProperty();
    appHandleParseXml(&appHandleInst, dirList ? dirList : pvTargetDirList(), kCustomDir);
    if (dirList != nullptr && appHandleInst.xmlDir != dirList) {
      pvReleaseDirList(dirList);  // refused before the handle took it
    }
    __atomic_store_n(&appHandleInited, 1, __ATOMIC_RELEASE);
  }
  appHandleInstUnlock();
  return &appHandleInst;
}

int appHandleInit(AppHandle* appHandle) {
  INFO_LOG("%s(), appHandle = 0x%p\n", __FUNCTION__, (void*)appHandle);
  if (appHandle == nullptr) {
    WARN_LOG("%s(), AppHandle is NULL!\n", __FUNCTION__);
    return 0;
  }
  memset(appHandle, 0, sizeof *appHandle);
  appHandle->inotifyFd = -1;
  appHandle->saveUnsignedHex = 1;
  // No watcher runs until appHandleParseXml starts one.
  appHandle->appThreadExit = 1;
  appHandle->xmlChangedNotifyEnabled = isCustXmlEnable();
  pthread_rwlock_init(&appHandle->lock, nullptr);
  pthread_rwlock_init(&appHandle->notifyLock, nullptr);
  __atomic_store_n(&appDebugLevel, getDebugLevel(), __ATOMIC_RELAXED);
  appHandleShowAudioTypeSupportedVerInfo(appHandle);
  utilDumpAudioTypeLoadingList(appAudioTypeLoadingList);
  return 1;
}

int appHandleParseXml(AppHandle* appHandle, const char** dirList, const char* cusDir) {
  INFO_LOG("%s(), appHandle = 0x%p, dir = %s, cusDir = %s\n", __FUNCTION__, (void*)appHandle,
           dirList && dirList[0] ? dirList[0] : "NULL", cusDir ? cusDir : "NULL");
  if (appHandle == nullptr) {
    ERR_LOG("%s(), appHandle is NULL!\n", __FUNCTION__);
    return 0;
  }
  if (dirList == nullptr) {
    ERR_LOG("%s(), dir is NULL\n", __FUNCTION__);
    return 0;
  }
  appHandleWriteLock(appHandle, __FUNCTION__);
  // Checked under the lock, so that two parses at once cannot both pass.
  if (appHandle->xmlDir != nullptr || appHandle->xmlCusDir != nullptr) {
    appHandleUnlock(appHandle);
    ERR_LOG("%s(), XML already parsed, don't call the appHandleParseXml twice!\n", __FUNCTION__);
    return 0;
  }
  appHandle->xmlDir = dirList;
  appHandle->xmlCusDir = cusDir ? strdup(cusDir) : nullptr;
  for (int i = 0; dirList[i] != nullptr; i++) {
    INFO_LOG("%s(), XmlDir[%d] = %s\n", __FUNCTION__, i, dirList[i]);
  }
  INFO_LOG("%s(), XmlCusDir = %s\n", __FUNCTION__, appHandle->xmlCusDir ? appHandle->xmlCusDir : "NULL");

  appHandleLoadDirFeatureOptionsInfo(appHandle);
  appHandleLoadDirAudioTypeInfo(appHandle);
  appHandleUnlock(appHandle);

  // The watcher waits for SIGUSR1 from appHandleUninit: it starts with the
  // signal blocked so that it is only ever taken by sigwait.
  sigset_t usr1, old;
  sigemptyset(&usr1);
  sigaddset(&usr1, SIGUSR1);
  pthread_sigmask(SIG_BLOCK, &usr1, &old);
  __atomic_store_n(&appHandle->appThreadExit, 0, __ATOMIC_RELEASE);
  int rc = pthread_create(&appHandle->appThread, nullptr, appHandleThreadLoop, appHandle);
  pthread_sigmask(SIG_SETMASK, &old, nullptr);
  if (rc != 0) {
    __atomic_store_n(&appHandle->appThreadExit, 1, __ATOMIC_RELEASE);
    ERR_LOG("%s(), Create app thread fail!\n", __FUNCTION__);
    return 0;
  }
  INFO_LOG("%s(), Create app thread successfully\n", __FUNCTION__);
  return 1;
}

int appHandleUninit(AppHandle* appHandle) {
  INFO_LOG("%s(), appHandle = 0x%p\n", __FUNCTION__, (void*)appHandle);
  if (appHandle == nullptr) {
    WARN_LOG("%s(), AppHandle is NULL!\n", __FUNCTION__);
    return 0;
  }
  appHandleWriteLock(appHandle, __FUNCTION__);
  pvReleaseDirList(appHandle->xmlDir);
  appHandle->xmlDir = nullptr;
  free(appHandle->xmlCusDir);
  appHandle->xmlCusDir = nullptr;
  if (appHandle->featureOptionsDoc != nullptr) {
    xmlFreeDoc(appHandle->featureOptionsDoc);
    appHandle->featureOptionsDoc = nullptr;
  }

  if (!__atomic_load_n(&appHandle->appThreadExit, __ATOMIC_ACQUIRE)) {
    __atomic_store_n(&appHandle->appThreadExit, 1, __ATOMIC_RELEASE);
    INFO_LOG("%s(), Send signal to appThread\n", __FUNCTION__);
    pthread_kill(appHandle->appThread, SIGUSR1);
    INFO_LOG("%s(), Waiting inotify thread join...\n", __FUNCTION__);
    pthread_join(appHandle->appThread, nullptr);
    INFO_LOG("%s(), inotify thread joined\n", __FUNCTION__);
    appHandle->inotifyFd = -1;
  }

  NotifyCb *cb, *tmp;
  LL_FOREACH_SAFE(appHandle->notifyCbList, cb, tmp) {
    LL_DELETE(appHandle->notifyCbList, cb);
    free(cb);
  }

  if (appHandle == &appHandleInst) {
    __atomic_store_n(&appHandleInited, 0, __ATOMIC_RELEASE);
  }

  appHandleReleaseAudioTypeHash(appHandle);
  appHandleReleaseFeatureOptionsHash(appHandle);
  if (appLogFp != nullptr) {
    fflush(appLogFp);
  }
  appAudioTypeLoadingList = nullptr;
  appHandleUnlock(appHandle);
  return 1;
}

}  // extern "C"
