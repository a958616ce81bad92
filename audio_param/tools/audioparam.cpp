// audioparam: loads the audio parameter database of the handset named by
// KV_ROOT, as the audio service does, and lists the audio types it found.
//   audioparam [list]
#include <stdio.h>
#include <string.h>

#include <paramvault/ParamVault.h>

int main(int argc, char** argv) {
  if (argc > 2 || (argc == 2 && strcmp(argv[1], "list") != 0)) {
    fprintf(stderr, "usage: %s [list]\n", argv[0]);
    return 2;
  }
  AppHandle* appHandle = appHandleGetInstance();
  size_t n = appHandleGetNumOfAudioType(appHandle);
  printf("%zu audio types from", n);
  for (int i = 0; appHandle->xmlDir && appHandle->xmlDir[i]; i++) {
    printf(" %s", appHandle->xmlDir[i]);
  }
  printf("\n%-20s %-14s %-11s %s\n", "audio type", "ParamUnitDesc", "AudioParam", "tab name");
  for (size_t i = 0; i < n; i++) {
    AudioType* t = appHandleGetAudioTypeByIndex(appHandle, i);
    printf("%-20s %d.%-12d %d.%-9d %s\n", t->name, t->paramUnitDescVerMaj, t->paramUnitDescVerMin,
           t->audioParamVerMaj, t->audioParamVerMin, t->tabName ? t->tabName : "-");
  }
  appHandleUninit(appHandle);
  return 0;
}
