// The platform's version and family.
#pragma once

#include "win32/base.h"

constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
};
using LPOSVERSIONINFOA = OSVERSIONINFOA*;

// The NT family by default; VORN_PLATFORM=windows gives the 95 family. The caller sets
// dwOSVersionInfoSize to the record's size first.
BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA info);
