// Where the files of an audio type are looked for: the directory lists, the
// board-variant directory and the file search.
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <boardinfo.h>
#include <cutils/properties.h>
#include <kv/path.h>
#include <utlist.h>

#include <paramvault/AudioType.h>

#include "Log.h"
#include "SearchDirs.h"

namespace {

const char* targetDirList[] = {"/odm/etc/audio_param/", "/vendor/etc/audio_param/",
                               "/system/etc/audio_param/", nullptr};
const char* toolDirList[] = {".\\preload_xml\\", nullptr};

const char kDefPathProperty[] = "persist.vendor.audio.tuning.def_path";
constexpr size_t kDirBufSize = 512;

// Lists made by appGetXmlDirFromProperty: only these are freed by uninit, so
// that a caller's own list is never freed by the library.
struct OwnedDirList {
  const char** list;
  OwnedDirList* next;
};
OwnedDirList* ownedDirLists = nullptr;
pthread_mutex_t ownedDirListsLock = PTHREAD_MUTEX_INITIALIZER;

}  // namespace

const char** pvTargetDirList(void) { return targetDirList; }

int pvReleaseDirList(const char** dirList) {
  if (dirList == nullptr || dirList == targetDirList || dirList == toolDirList) {
    return 0;
  }
  OwnedDirList* found = nullptr;
  pthread_mutex_lock(&ownedDirListsLock);
  OwnedDirList* it;
  LL_FOREACH(ownedDirLists, it) {
    if (it->list == dirList) {
      found = it;
      break;
    }
  }
  if (found != nullptr) {
    LL_DELETE(ownedDirLists, found);
  }
  pthread_mutex_unlock(&ownedDirListsLock);
  if (found == nullptr) {
    return 0;
  }
  free((void*)dirList[0]);
  free((void*)dirList);
  free(found);
  return 1;
}

int pvPathExists(const char* path) {
  struct stat st;
  return kv_stat(path, &st) == 0;
}

char* pvJoinPath(const char* dir, const char* name, const char* posfix) {
  // dir + "/" + name + posfix, allocated to fit whatever the lengths.
  size_t len = strlen(dir) + 1 + strlen(name) + strlen(posfix) + 1;
  char* path = (char*)malloc(len);
  if (path != nullptr) {
    snprintf(path, len, "%s/%s%s", dir, name, posfix);
  }
  return path;
}

static char* searchFile(AppHandle* appHandle, const char* audioType, const char* posfix,
                        bool withCustomDir) {
  if (appHandle == nullptr || audioType == nullptr || posfix == nullptr) {
    return nullptr;
  }
  if (withCustomDir && appHandle->xmlChangedNotifyEnabled && appHandle->xmlCusDir != nullptr &&
      strcmp(posfix, AUDIO_PARAM_XML_POSFIX) == 0) {
    char* path = pvJoinPath(appHandle->xmlCusDir, audioType, posfix);
    if (path != nullptr && pvPathExists(path)) {
      return path;
    }
    free(path);
  }
  for (int i = 0; appHandle->xmlDir != nullptr && appHandle->xmlDir[i] != nullptr; i++) {
    char* path = pvJoinPath(appHandle->xmlDir[i], audioType, posfix);
    if (path != nullptr && pvPathExists(path)) {
      return path;
    }
    free(path);
  }
  return nullptr;
}

extern "C" {

char* appHandleGetAudioTypeFilePath(AppHandle* appHandle, const char* audioType, const char* posfix) {
  return searchFile(appHandle, audioType, posfix, true);
}

char* appHandleGetPreloadAudioTypeFilePath(AppHandle* appHandle, const char* audioType,
                                           const char* posfix) {
  return searchFile(appHandle, audioType, posfix, false);
}

int appHandleIsValidAudioType(AppHandle* appHandle, const char* audioType) {
  if (utilIsUIAudioType(audioType)) {
    return 0;
  }
  if (!utilIsAudioTypeInLoadingList(audioType)) {
    return 0;
  }
  char* path = appHandleGetAudioTypeFilePath(appHandle, audioType, PARAM_UNIT_DESC_XML_POSFIX);
  if (path != nullptr) {
    free(path);
    return 1;
  }
  ERR_LOG("%s(), %s audio type is not valid! (%s is not exist)\n", __FUNCTION__,
          audioType ? audioType : "NULL", PARAM_UNIT_DESC_XML_POSFIX);
  return 0;
}

const char** appGetXmlDirFromProperty(void) {
  char* dir = (char*)calloc(1, kDirBufSize);
  property_get(kDefPathProperty, dir, "");
  if (dir[0] != '\0') {
    ALOGD_ALWAYS("%s(), %s = %s", __FUNCTION__, kDefPathProperty, dir);
  } else {
    if (proc_getHardwareInfoFor(HWINFO_ITEM_AUDIO_VARIANT) == 0) {
      free(dir);
      return nullptr;
    }
    char variant[16] = "";
    hwinfo_int2str(HWINFO_ITEM_AUDIO_VARIANT, variant, sizeof variant);
    snprintf(dir, kDirBufSize, "/vendor/etc/audio_param_vorna_%s/", variant);
    ALOGD_ALWAYS("%s(), vorna %s = %s", __FUNCTION__, kDefPathProperty, dir);
  }
  const char** list = (const char**)calloc(2, sizeof(char*));
  OwnedDirList* owned = (OwnedDirList*)calloc(1, sizeof(OwnedDirList));
  list[0] = dir;
  owned->list = list;
  pthread_mutex_lock(&ownedDirListsLock);
  LL_PREPEND(ownedDirLists, owned);
  pthread_mutex_unlock(&ownedDirListsLock);
  ALOGD_ALWAYS("%s(), vorna %s = %s", __FUNCTION__, kDefPathProperty, list[0]);
  return list;
}

}  // extern "C"
