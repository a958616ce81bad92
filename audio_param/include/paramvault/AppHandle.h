/* libparamvault-vnd: the library handle, its search directories, the loading
 * list, the locks and the debug level. Flat C interface: 1 is success and 0
 * failure, pointers are null on failure. */
#ifndef PARAMVAULT_APPHANDLE_H
#define PARAMVAULT_APPHANDLE_H

#include <pthread.h>
#include <stddef.h>
#include <stdio.h>

#include <libxml/tree.h>
#include <uthash.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct AudioType AudioType;
typedef struct FeatureOption FeatureOption;
typedef struct AppHandle AppHandle;

/* A registered change callback, in registration order. */
typedef void (*NOTIFY_CB_FUN)(AppHandle* appHandle, const char* audioTypeName);
typedef struct NotifyCb {
  NOTIFY_CB_FUN callback;
  struct NotifyCb* next;
} NotifyCb;

struct AppHandle {
  const char** xmlDir;      /* null-terminated read-only directories, each ending in "/" */
  char* xmlCusDir;          /* the writable custom directory (owned copy) */
  AudioType* audioTypeHash; /* loaded audio types keyed by name */
  FeatureOption* featureOptionsHash;
  xmlDocPtr featureOptionsDoc; /* held while loading only */
  int xmlCusDirReady;
  int xmlChangedNotifyEnabled; /* 1: AudioParam files come from the custom directory first */
  pthread_t appThread;
  int appThreadExit;        /* 1 once the watcher is asked to end (or none runs) */
  int inotifyFd;
  pthread_rwlock_t lock;
  pthread_rwlock_t notifyLock;
  const char* lockCallerFun;
  NotifyCb* notifyCbList;
  int saveUnsignedHex;
  int saveFullTree;
};

/* Process-wide state. */
extern int appDebugLevel;                 /* 0 debug .. 3 errors only; 4+ silent */
extern const char** appAudioTypeLoadingList;
extern FILE* appLogFp;
extern int outputLogToStdout;

/* Creation and teardown. */
AppHandle* appHandleGetInstance(void);
int appHandleInit(AppHandle* appHandle);
int appHandleParseXml(AppHandle* appHandle, const char** dirList, const char* cusDir);
int appHandleUninit(AppHandle* appHandle);
int isCustXmlEnable(void);
int getDebugLevel(void);
void appSetDebugLevel(int level);
int appGetDebugLevel(void);
const char* appHandleGetBuildTimeStamp(void);

/* Loading list: a null-terminated array of audio type names the caller owns. */
int appSetAudioTypeLoadingList(const char** audioTypeLoadingList);
const char** appGetAudioTypeLoadingList(void);
void utilDumpAudioTypeLoadingList(const char** audioTypeLoadingList);
int utilIsAudioTypeInLoadingList(const char* audioType);
int utilIsUIAudioType(const char* audioType);
int appHandleIsValidAudioType(AppHandle* appHandle, const char* audioType);

/* Audio type access. */
size_t appHandleGetNumOfAudioType(AppHandle* appHandle);
AudioType* appHandleGetAudioTypeByIndex(AppHandle* appHandle, size_t index);
AudioType* appHandleGetAudioTypeByName(AppHandle* appHandle, const char* name);
void appHandleDumpAudioTypeList(AppHandle* appHandle);
char* appHandleGetAudioTypeFilePath(AppHandle* appHandle, const char* audioType, const char* posfix);
char* appHandleGetPreloadAudioTypeFilePath(AppHandle* appHandle, const char* audioType,
                                           const char* posfix);
int appHandleGetAudioTypeSupportedVerInfo(const char* audioTypeName, int* paramUnitDescVerMaj,
                                          int* paramUnitDescVerMin, int* audioParamVerMaj,
                                          int* audioParamVerMin);
void appHandleShowAudioTypeSupportedVerInfo(AppHandle* appHandle);
const char** appGetXmlDirFromProperty(void);

/* Loading steps of appHandleParseXml. */
int appHandleLoadDirAudioTypeInfo(AppHandle* appHandle);
int appHandleLoadAllAudioTypeXml(AppHandle* appHandle);
int appHandleLoadAllAudioTypeHash(AppHandle* appHandle);
int appHandleReleaseAllAudioTypeXml(AppHandle* appHandle);
int appHandleReleaseAudioTypeHash(AppHandle* appHandle);
int appHandleLoadDirFeatureOptionsInfo(AppHandle* appHandle);
int appHandleReleaseFeatureOptionsHash(AppHandle* appHandle);
void appHandleRemoveAudioTypeByFeatureOptions(AppHandle* appHandle);
void appHandleReviseXmlDocByFeatureOptions(AppHandle* appHandle);
void* appHandleThreadLoop(void* arg);

/* Locks: the process instance lock, then the handle lock, then audio type locks. */
int appHandleInstWriteLock(const char* callerFun);
int appHandleInstUnlock(void);
int appHandleWriteLock(AppHandle* appHandle, const char* callerFun);
int appHandleReadLock(AppHandle* appHandle, const char* callerFun);
int appHandleUnlock(AppHandle* appHandle);

/* Utilities. */
void utilLog(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
void utilLogClose(void);
void utilUsleep(unsigned int usec);
void utilMkdir(const char* dir);
char* utilGetStdin(char* buf, int bufSize);
char* utilStrtok(char* str, const char* delim, char** saveptr);
void appHandleRedirectIOToConsole(void);
char* audioSystemGetParameters(const char* keys);
void audioSystemSetParameters(const char* keyValuePairs);
void utilShellExecute(const char* prog, const char* params);
void showTreeRoot(void* treeRoot, const char* categoryPath);
void initProcessState(void);

#ifdef __cplusplus
}
#endif

#endif
