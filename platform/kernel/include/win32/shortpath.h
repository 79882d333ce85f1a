// Short path names. There are no 8.3 names here: the short form of an existing file is
// its full Windows path.
#pragma once

#include "win32/base.h"

// The length written, or the size needed (terminator included) when the buffer is too
// small; 0 when the file does not exist.
DWORD WINAPI GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size);
