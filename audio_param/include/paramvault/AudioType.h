/* libparamvault-vnd: one audio type and its two XML files. */
#ifndef PARAMVAULT_AUDIOTYPE_H
#define PARAMVAULT_AUDIOTYPE_H

#include <paramvault/AppHandle.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Records of the category, parameter and tree tables. */
typedef struct CategoryType CategoryType;
typedef struct ParamInfo ParamInfo;
typedef struct ParamUnit ParamUnit;
typedef struct ParamTree ParamTree;
typedef struct ParamTreeView ParamTreeView;

#define AUDIO_PARAM_XML_POSFIX "_AudioParam.xml"
#define PARAM_UNIT_DESC_XML_POSFIX "_ParamUnitDesc.xml"
#define ELEM_PARAM_UNIT_DESC "ParamUnitDesc"
#define ELEM_AUDIO_PARAM "AudioParam"
#define ELEM_CATEGORY_TYPE_LIST "CategoryTypeList"
#define ELEM_PARAM_UNIT "ParamUnit"
#define ELEM_PARAM_TREE "ParamTree"
#define ELEM_PARAM_UNIT_POOL "ParamUnitPool"
#define ELEM_PARAM "Param"

struct AudioType {
  char* name;
  char* tabName;
  int paramUnitDescVerMaj;
  int paramUnitDescVerMin;
  int audioParamVerMaj;
  int audioParamVerMin;
  xmlDocPtr audioParamDoc;
  xmlDocPtr paramUnitDescDoc;
  xmlDocPtr paramTreeViewDoc;
  ParamTree* paramTreeHash;
  ParamUnit* paramUnitHash;
  ParamInfo* paramInfoHash;
  ParamTreeView* paramTreeView;
  int unusedParamId;
  int dirty;
  int allowReload;
  CategoryType* categoryTypeHash;
  pthread_rwlock_t lock;
  const char* lockCallerFun;
  AppHandle* appHandle;
  UT_hash_handle hh;
};

AudioType* audioTypeCreate(AppHandle* appHandle, const char* name);
void audioTypeRelease(AudioType* audioType);
void audioTypeReleaseAudioParam(AudioType* audioType);
void audioTypeDump(AudioType* audioType);

AudioType* appHandleAddAudioType(AppHandle* appHandle, const char* audioTypeName);
int appHandleLoadAudioTypeXml(AppHandle* appHandle, AudioType* audioType);
int audioTypeParseTabName(AudioType* audioType);
int audioTypeParseXmlVer(AudioType* audioType);
int audioTypeIsDeviceSupportedXmlVer(AudioType* audioType);
int audioTypeIsTuningToolSupportedXmlVer(AudioType* audioType);
int audioTypeLoadStage1Hash(AudioType* audioType);
int audioTypeLoadStage2Hash(AudioType* audioType);

int audioTypeReadLock(AudioType* audioType, const char* callerFun);
int audioTypeWriteLock(AudioType* audioType, const char* callerFun);
int audioTypeUnlock(AudioType* audioType);

/* XML helpers shared by the loaders. */
xmlNode* findXmlNodeByElemName(xmlNode* node, const char* elemName);
xmlChar* xmlNodeGetProp(xmlNode* node, const char* prop);
xmlChar* xmlNodeGetWording(xmlNode* node);
void appDumpXmlDoc(xmlDoc* doc);

#ifdef __cplusplus
}
#endif

#endif
