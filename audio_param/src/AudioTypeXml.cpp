// Loading the two files of an audio type: search, parse, tab name, versions,
// and the load stages that turn the documents into tables.
#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>

#include <kv/path.h>
#include <libxml/parser.h>

#include <paramvault/AudioType.h>

#include "Log.h"

namespace {

// Parses a handset path; null when it cannot be resolved or parsed.
xmlDocPtr parseFile(const char* path) {
  char resolved[PATH_MAX];
  if (kv_resolve_path(path, resolved, sizeof resolved) == nullptr) {
    return nullptr;
  }
  return xmlReadFile(resolved, nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
}

// The root element when it has the wanted name.
xmlNode* rootElement(xmlDocPtr doc, const char* name) {
  xmlNode* root = doc ? xmlDocGetRootElement(doc) : nullptr;
  return root != nullptr && strcmp((const char*)root->name, name) == 0 ? root : nullptr;
}

// "major.minor" (the minor part may be absent); numbers beyond int clamp to
// INT_MAX, so an absurd major is refused as too new rather than wrapping.
bool parseVersion(const char* text, int* major, int* minor) {
  auto number = [](const char* s, char** end, int* out) {
    errno = 0;
    long v = strtol(s, end, 10);
    if (*end == s) return false;
    if (errno == ERANGE || v > INT_MAX) v = INT_MAX;
    if (v < INT_MIN) v = INT_MIN;
    *out = (int)v;
    return true;
  };
  char* end = nullptr;
  int maj = 0, min = 0;
  if (text == nullptr || !number(text, &end, &maj)) {
    return false;
  }
  if (*end == '.' && !number(end + 1, &end, &min)) {
    return false;
  }
  *major = maj;
  *minor = min;
  return true;
}

bool readVersion(xmlDocPtr doc, const char* rootName, int* major, int* minor) {
  xmlNode* root = rootElement(doc, rootName);
  xmlChar* ver = root ? xmlNodeGetProp(root, "version") : nullptr;
  bool ok = parseVersion((const char*)ver, major, minor);
  xmlFree(ver);
  if (!ok) {
    *major = 1;
    *minor = 0;
  }
  return ok;
}

// Whether the container element exists under `parent` and holds child nodes.
bool hasFilledContainer(xmlNode* parent, const char* elem) {
  xmlNode* node = parent ? findXmlNodeByElemName(parent->children, elem) : nullptr;
  return node != nullptr && node->children != nullptr;
}

// The records of each table are built by the category, parameter and tree
// loaders; these steps check the containers they read from, in stage order.
int audioTypeLoadCategoryTypeHash(AudioType* audioType) {
  return hasFilledContainer(rootElement(audioType->paramUnitDescDoc, ELEM_PARAM_UNIT_DESC),
                            ELEM_CATEGORY_TYPE_LIST);
}

int audioTypeLoadParamFieldInfoHash(AudioType* audioType) {
  if (!hasFilledContainer(rootElement(audioType->paramUnitDescDoc, ELEM_PARAM_UNIT_DESC),
                          ELEM_PARAM_UNIT)) {
    ERR_LOG("%s(), No paramUnit element found!\n", __FUNCTION__);
    return 0;
  }
  return 1;
}

int audioTypeLoadParamUnitHash(AudioType* audioType) {
  if (!hasFilledContainer(rootElement(audioType->audioParamDoc, ELEM_AUDIO_PARAM),
                          ELEM_PARAM_UNIT_POOL)) {
    ERR_LOG("%s(), No paramUnit element found!\n", __FUNCTION__);
    return 0;
  }
  return 1;
}

int audioTypeLoadParamTreeHash(AudioType* audioType) {
  if (!hasFilledContainer(rootElement(audioType->audioParamDoc, ELEM_AUDIO_PARAM), ELEM_PARAM_TREE)) {
    ERR_LOG("%s(), No param element found!\n", __FUNCTION__);
    return 0;
  }
  return 1;
}

// Both checks refuse a file whose major version is newer than the supported one;
// the tool check differs only in its texts.
int checkVersion(AudioType* audioType, const char* fun, bool tool) {
  if (audioType == nullptr) {
    INFO_LOG(tool ? "%s(), AudioType = %s ParamUnitDesc ver = (%d.%d), AudioParam ver = (%d.%d)\n"
                  : "%s(), AudioType = %s paramUnitDesc ver = (%d.%d), audioParam ver = (%d.%d)\n",
             fun, "NULL", -1, -1, -1, -1);
    ERR_LOG("%s(), audioType is NULL\n", fun);
    return 0;
  }
  INFO_LOG(tool ? "%s(), AudioType = %s ParamUnitDesc ver = (%d.%d), AudioParam ver = (%d.%d)\n"
                : "%s(), AudioType = %s paramUnitDesc ver = (%d.%d), audioParam ver = (%d.%d)\n",
           fun, audioType->name, audioType->paramUnitDescVerMaj, audioType->paramUnitDescVerMin,
           audioType->audioParamVerMaj, audioType->audioParamVerMin);
  int descMaj, descMin, dataMaj, dataMin;
  appHandleGetAudioTypeSupportedVerInfo(audioType->name, &descMaj, &descMin, &dataMaj, &dataMin);
  if (audioType->paramUnitDescVerMaj > descMaj) {
    ERR_LOG(tool ? "%s(), %s AudioType XML ParamUnitDesc's maj version is not support! XML ver (%d.%d) > "
                   "AppLib support ver (%d.%d)\n"
                 : "%s(), %s AudioType XML ParamUnitDesc's maj version is not support! XML ver (%d.%d) != "
                   "AppLib support ver (%d.%d)\n",
            fun, audioType->name, audioType->paramUnitDescVerMaj, audioType->paramUnitDescVerMin,
            descMaj, descMin);
    return 0;
  }
  if (audioType->audioParamVerMaj > dataMaj) {
    ERR_LOG(tool ? "%s(), %s AudioType XML AudioParam's maj version is not support! XML ver (%d.%d) > "
                   "AppLib support ver (%d.%d)\n"
                 : "%s(), %s AudioType XML AudioParam maj's version is not support! XML ver (%d.%d) != "
                   "AppLib support ver (%d.%d)\n",
            fun, audioType->name, audioType->audioParamVerMaj, audioType->audioParamVerMin, dataMaj,
            dataMin);
    return 0;
  }
  return 1;
}

}  // namespace

extern "C" {

int appHandleLoadAudioTypeXml(AppHandle* appHandle, AudioType* audioType) {
  if (appHandle == nullptr || audioType == nullptr) {
    ERR_LOG("%s(), appHandle or audioType is NULL\n", __FUNCTION__);
    return 0;
  }
  INFO_LOG("%s(), audioType = %s\n", __FUNCTION__, audioType->name);

  char* path = appHandleGetAudioTypeFilePath(appHandle, audioType->name, AUDIO_PARAM_XML_POSFIX);
  if (path == nullptr) {
    WARN_LOG("%s(), The AudioTypeFile(%s%s) doesn't exist.\n", __FUNCTION__, audioType->name,
             AUDIO_PARAM_XML_POSFIX);
    return 0;
  }
  audioType->audioParamDoc = parseFile(path);
  if (audioType->audioParamDoc == nullptr) {
    ERR_LOG("%s(), Failed to parse %s\n", __FUNCTION__, path);
    free(path);
    path = appHandleGetPreloadAudioTypeFilePath(appHandle, audioType->name, AUDIO_PARAM_XML_POSFIX);
    if (path == nullptr) {
      WARN_LOG("%s(), The AudioTypeFile(%s%s) doesn't exist.\n", __FUNCTION__, audioType->name,
               AUDIO_PARAM_XML_POSFIX);
      return 0;
    }
    WARN_LOG("%s(), Trying to load preload %s file instead of broken XML file!\n", __FUNCTION__, path);
    audioType->audioParamDoc = parseFile(path);
    if (audioType->audioParamDoc == nullptr) {
      ERR_LOG("%s(), Failed to parse %s\n", __FUNCTION__, path);
      free(path);
      return 0;
    }
  }
  INFO_LOG("%s(), Load xml file successfully. (%s)\n", __FUNCTION__, path);
  free(path);

  path = appHandleGetAudioTypeFilePath(appHandle, audioType->name, PARAM_UNIT_DESC_XML_POSFIX);
  if (path == nullptr) {
    WARN_LOG("%s(), The AudioTypeFile(%s%s) doesn't exist.\n", __FUNCTION__, audioType->name,
             PARAM_UNIT_DESC_XML_POSFIX);
    return 0;
  }
  audioType->paramUnitDescDoc = parseFile(path);
  if (audioType->paramUnitDescDoc == nullptr) {
    ERR_LOG("%s(), Failed to parse %s%s\n", __FUNCTION__, path, PARAM_UNIT_DESC_XML_POSFIX);
    free(path);
    return 0;
  }
  INFO_LOG("%s(), Load xml file successfully. (%s)\n", __FUNCTION__, path);
  free(path);

  audioTypeParseTabName(audioType);
  audioTypeParseXmlVer(audioType);
  return audioTypeIsDeviceSupportedXmlVer(audioType);
}

int audioTypeParseTabName(AudioType* audioType) {
  xmlNode* root = audioType ? rootElement(audioType->paramUnitDescDoc, ELEM_PARAM_UNIT_DESC) : nullptr;
  if (root == nullptr) {
    ERR_LOG("%s(), Cannnot find the %s element\n", __FUNCTION__, ELEM_PARAM_UNIT_DESC);
    return 0;
  }
  xmlChar* tabName = xmlNodeGetProp(root, "tab_name");
  free(audioType->tabName);
  audioType->tabName = tabName ? strdup((const char*)tabName) : nullptr;
  xmlFree(tabName);
  return 1;
}

int audioTypeParseXmlVer(AudioType* audioType) {
  if (audioType == nullptr) {
    ERR_LOG("%s(), audioType is NULL\n", __FUNCTION__);
    return 0;
  }
  if (!readVersion(audioType->paramUnitDescDoc, ELEM_PARAM_UNIT_DESC, &audioType->paramUnitDescVerMaj,
                   &audioType->paramUnitDescVerMin)) {
    INFO_LOG("%s(), Cannot parse paramUnitDesc xml version (set as default ver = 1.0)\n", __FUNCTION__);
  }
  if (!readVersion(audioType->audioParamDoc, ELEM_AUDIO_PARAM, &audioType->audioParamVerMaj,
                   &audioType->audioParamVerMin)) {
    INFO_LOG("%s(), Cannot parse audioParam xml version (set as default ver = 1.0)\n", __FUNCTION__);
  }
  return 1;
}

int audioTypeIsDeviceSupportedXmlVer(AudioType* audioType) {
  return checkVersion(audioType, __FUNCTION__, false);
}

int audioTypeIsTuningToolSupportedXmlVer(AudioType* audioType) {
  return checkVersion(audioType, __FUNCTION__, true);
}

int audioTypeLoadStage1Hash(AudioType* audioType) {
  if (audioType == nullptr) {
    ERR_LOG("%s(), audioType is NULL\n", __FUNCTION__);
    return 0;
  }
  return audioTypeLoadCategoryTypeHash(audioType) && audioTypeLoadParamFieldInfoHash(audioType) &&
         audioTypeLoadParamUnitHash(audioType) && audioTypeLoadParamTreeHash(audioType);
}

int audioTypeLoadStage2Hash(AudioType* audioType) {
  // No tree view is built by this build: a type without one is complete.
  return audioType != nullptr;
}

}  // extern "C"
