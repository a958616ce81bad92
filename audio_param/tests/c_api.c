/* The public headers compile as C; this unit uses them from C. */
#include <stddef.h>

#include <paramvault/ParamVault.h>

int pvCApiLoad(const char* dir, size_t* count) {
  AppHandle h;
  const char* dirs[] = {dir, NULL};
  if (!appHandleInit(&h) || !appHandleParseXml(&h, dirs, "/data/vendor/audiohal/audio_param/")) {
    return 0;
  }
  *count = appHandleGetNumOfAudioType(&h);
  AudioType* t = appHandleGetAudioTypeByIndex(&h, 0);
  int ok = t != NULL && t->appHandle == &h && t->paramUnitDescVerMaj == 1;
  return appHandleUninit(&h) && ok;
}

void pvCRecordSizes(size_t* appHandle, size_t* audioType, size_t* lockOffset) {
  *appHandle = sizeof(AppHandle);
  *audioType = sizeof(AudioType);
  *lockOffset = offsetof(AudioType, lock);
}
