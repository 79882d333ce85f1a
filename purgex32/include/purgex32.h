// The uninstall extension's two entry points, as the host uninstaller calls them.
// The three arguments are the host's own and are not read; the result is always 0.
#pragma once

#include <windows.h>

extern "C" {
using UninstEntryPoint = int(WINAPI*)(DWORD, DWORD, DWORD);

int WINAPI UninstInitialize(DWORD, DWORD, DWORD);
int WINAPI UninstUnInitialize(DWORD, DWORD, DWORD);
}
