// Process tokens and privileges.
#pragma once

#include "win32/base.h"

constexpr DWORD TOKEN_QUERY = 0x0008;
constexpr DWORD TOKEN_ADJUST_PRIVILEGES = 0x0020;

constexpr DWORD SE_PRIVILEGE_ENABLED = 0x00000002;

constexpr DWORD ERROR_NOT_ALL_ASSIGNED = 1300;
constexpr DWORD ERROR_NO_SUCH_PRIVILEGE = 1313;

using PHANDLE = HANDLE*;

struct LUID {
    DWORD LowPart;
    LONG HighPart;
};
using PLUID = LUID*;

struct LUID_AND_ATTRIBUTES {
    LUID Luid;
    DWORD Attributes;
};

struct TOKEN_PRIVILEGES {
    DWORD PrivilegeCount;
    LUID_AND_ATTRIBUTES Privileges[1];
};
using PTOKEN_PRIVILEGES = TOKEN_PRIVILEGES*;

// The pseudo-handle of the calling process; it needs no closing.
HANDLE WINAPI GetCurrentProcess();

BOOL WINAPI OpenProcessToken(HANDLE process, DWORD desiredAccess, PHANDLE token);

// The local system only (systemName null or empty).
BOOL WINAPI LookupPrivilegeValueA(LPCSTR systemName, LPCSTR name, PLUID luid);

// Enables or disables privileges of the process's token; the token needs
// TOKEN_ADJUST_PRIVILEGES. The previous state is not kept: asking for it is refused.
BOOL WINAPI AdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES newState,
                                  DWORD bufferLength, PTOKEN_PRIVILEGES previousState,
                                  LPDWORD returnLength);
