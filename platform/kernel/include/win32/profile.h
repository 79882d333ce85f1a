// Reading initialisation files (profiles).
#pragma once

#include "win32/base.h"

// Section null: the section names; key null: the key names of the section; both as a
// list of terminated names ended by an empty one. A bare file name is looked for in the
// Windows directory. Returns the number of characters written, terminator not counted.
DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                                      LPSTR returned, DWORD size, LPCSTR fileName);
