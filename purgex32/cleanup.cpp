// The uninstaller's own files and directory, and the restart that ends the uninstallation.
#include "operations.h"

namespace {
const char* const kUninstallerFiles[] = {"UNINST.EXE", "UNINSTAL.INI", "PURGEX32.DLL"};
}

int DeleteUninstFiles(LPCSTR directory) {
    char path[MAX_PATH];
    for (const char* name : kUninstallerFiles) {
        if (JoinText(path, sizeof path, directory, name)) {
            DeleteFileA(path);
        }
    }
    if (!JoinText(path, sizeof path, directory, "")) {
        return -1;
    }
    if (path[0] != '\0' && LastCharIs(path, '\\')) {
        path[std::strlen(path) - 1] = '\0';
    }
    return RemoveDirectoryA(path) ? 0 : -1;
}

BOOL RestartWindows() {
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        HANDLE token = nullptr;
        TOKEN_PRIVILEGES privileges;
        std::memset(&privileges, 0, sizeof privileges);
        if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
            LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
            privileges.PrivilegeCount = 1;
            privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
            AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
            CloseHandle(token);
        }
    }
    return ExitWindowsEx(EWX_REBOOT, 0);
}
