// The system directories.
#pragma once

#include "win32/base.h"

// C:\WINDOWS, created on first use. Returns the length, or the size needed when the
// buffer is too small (terminator included).
UINT WINAPI GetWindowsDirectoryA(LPSTR buffer, UINT size);
