// Moving through 8-bit text by whole characters of the system code page.
//
// VORN_CODEPAGE=932 gives the double-byte lead-byte ranges 0x81-0x9F and 0xE0-0xFC;
// any other value, or none, is a single-byte code page without lead bytes.
#pragma once

#include "win32/base.h"

BOOL WINAPI IsDBCSLeadByte(BYTE testChar);

// The next character; at the terminator, the terminator itself.
LPSTR WINAPI CharNextA(LPCSTR current);

// The character before current, found by walking from start; start itself when current
// is at or before start.
LPSTR WINAPI CharPrevA(LPCSTR start, LPCSTR current);
