// Ending the session: log off, shut down, restart.
#pragma once

#include "win32/base.h"

constexpr UINT EWX_LOGOFF = 0x0;
constexpr UINT EWX_SHUTDOWN = 0x1;
constexpr UINT EWX_REBOOT = 0x2;
constexpr UINT EWX_FORCE = 0x4;
constexpr UINT EWX_POWEROFF = 0x8;

// Never ends anything by itself: the request is recorded as one line of
// $VORN_ROOT/restart-requests, unless VORN_RESTART_COMMAND names the command that does
// it, which then runs with the request in VORN_RESTART_REQUEST.
BOOL WINAPI ExitWindowsEx(UINT flags, DWORD reserved);
