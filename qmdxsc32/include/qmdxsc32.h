// QMDXSC32's five dialog entry points, as a host calls them. Each runs one modal
// dialog and returns 0 (confirmed), 1 (cancelled) or -1 (failed); the last argument of
// each is never read.
#pragma once

#include <windows.h>

#include "tolvak32.h"

#define QMDXSC32_API __attribute__((visibility("default")))

extern "C" {

QMDXSC32_API int WINAPI Login32(int unused);
QMDXSC32_API int WINAPI ChgPasswd32(char* newPassword, char* oldPassword, int unused);
QMDXSC32_API int WINAPI GenLocalKey32(char* description, char* pool, int unused);
QMDXSC32_API int WINAPI GetKeyPath32(int kind, char* path, unsigned char* nsid, char* description,
                                     int unused);
QMDXSC32_API int WINAPI ShowKeyAttr32(int kind, vorn_name_t* name, const char* attributes,
                                      int unused);

using Login32Function = int(WINAPI*)(int);
using ChgPasswd32Function = int(WINAPI*)(char*, char*, int);
using GenLocalKey32Function = int(WINAPI*)(char*, char*, int);
using GetKeyPath32Function = int(WINAPI*)(int, char*, unsigned char*, char*, int);
using ShowKeyAttr32Function = int(WINAPI*)(int, vorn_name_t*, const char*, int);
}
