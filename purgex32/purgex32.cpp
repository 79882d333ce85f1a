// The entry points the host uninstaller calls at the start and at the end of an
// uninstallation. Nothing is reported: every step runs whatever the outcome of the one
// before, and both always give 0.
#include <purgex32.h>

#include "operations.h"

#define PURGEX32_EXPORT __attribute__((visibility("default")))

namespace {
char s_uninstDir[MAX_PATH];
}

extern "C" PURGEX32_EXPORT int WINAPI UninstInitialize(DWORD, DWORD, DWORD) {
    GetUninstDir(GetCommandLineA(), s_uninstDir);
    return 0;
}

extern "C" PURGEX32_EXPORT int WINAPI UninstUnInitialize(DWORD, DWORD, DWORD) {
    LPCSTR commandLine = GetCommandLineA();
    GetUninstDir(commandLine, s_uninstDir);
    // The list file is read before the deletion below removes it.
    RestoreBackupFiles(s_uninstDir);
    GetUninstDir(commandLine, s_uninstDir);
    DeleteUninstFiles(s_uninstDir);
    RestartWindows();
    return 0;
}
