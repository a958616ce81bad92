// Internal helpers of the directory lists and the file search.
#pragma once

// The built-in handset list: odm, vendor, system.
const char** pvTargetDirList(void);
// Frees a list made by appGetXmlDirFromProperty; 0 (nothing freed) for any other list.
int pvReleaseDirList(const char** dirList);
// dir + "/" + name + posfix as a new string (null only when out of memory).
char* pvJoinPath(const char* dir, const char* name, const char* posfix);
// Whether the handset path exists.
int pvPathExists(const char* path);
