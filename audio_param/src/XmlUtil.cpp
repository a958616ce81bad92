// Element and attribute lookup used by every loader.
#include <stdio.h>
#include <string.h>

#include <paramvault/AudioType.h>

#include "Log.h"

extern "C" {

xmlNode* findXmlNodeByElemName(xmlNode* node, const char* elemName) {
  if (node == nullptr) {
    DEBUG_LOG("%s(), xmlNode is NULL\n", __FUNCTION__);
    return nullptr;
  }
  if (elemName == nullptr) {
    DEBUG_LOG("%s(), elemName is NULL\n", __FUNCTION__);
    return nullptr;
  }
  for (xmlNode* cur = node; cur != nullptr; cur = cur->next) {
    if (cur->type == XML_ELEMENT_NODE && strcmp((const char*)cur->name, elemName) == 0) {
      return cur;
    }
  }
  return nullptr;
}

xmlChar* xmlNodeGetProp(xmlNode* node, const char* prop) {
  if (node == nullptr) {
    ERR_LOG("%s(), xmlNode is NULL\n", __FUNCTION__);
    return nullptr;
  }
  if (prop == nullptr) {
    ERR_LOG("%s(), prop is NULL\n", __FUNCTION__);
    return nullptr;
  }
  return xmlGetProp(node, (const xmlChar*)prop);
}

xmlChar* xmlNodeGetWording(xmlNode* node) {
  xmlChar* wording = xmlNodeGetProp(node, "wording");
  return wording != nullptr ? wording : xmlNodeGetProp(node, "name");
}

static void print_element_names(xmlNode* node) {
  // Depth first: the element, its children, then its following siblings.
  for (xmlNode* cur = node; cur != nullptr; cur = cur->next) {
    if (cur->type == XML_ELEMENT_NODE) {
      printf("node type: Element, name: %s\n", (const char*)cur->name);
    }
    print_element_names(cur->children);
  }
}

void appDumpXmlDoc(xmlDoc* doc) {
  if (doc != nullptr) {
    print_element_names(xmlDocGetRootElement(doc));
  }
}

}  // extern "C"
