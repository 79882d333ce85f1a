// The platform family, from VORN_PLATFORM: "windows" is the 95 family, anything else NT.
#include <cstdlib>
#include <cstring>

#include "win32/version.h"

BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA info) {
    if (info == nullptr || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    const char* platform = std::getenv("VORN_PLATFORM");
    bool family95 = platform != nullptr && std::strcmp(platform, "windows") == 0;
    info->dwMajorVersion = 4;
    info->dwMinorVersion = family95 ? 10 : 0;
    info->dwBuildNumber = family95 ? 2222 : 1381;
    info->dwPlatformId = family95 ? VER_PLATFORM_WIN32_WINDOWS : VER_PLATFORM_WIN32_NT;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    return TRUE;
}
