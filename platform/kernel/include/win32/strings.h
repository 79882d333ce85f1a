// Formatting and comparing 8-bit strings.
#pragma once

#include "win32/base.h"

// The caller cleans the stack: the convention of functions with a variable argument list.
#if defined(__i386__)
#define WINAPIV __attribute__((cdecl))
#else
#define WINAPIV
#endif

// Formats into buffer, which holds at most 1024 characters with the terminator:
// %s and %hs (8-bit strings), %c, %d, %i, %u, %x, %X (with an optional l), %%, with the
// flags - and 0, a width and, for strings, a precision. Returns the length written.
int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...);

// Case-sensitive comparison, by byte values: negative, zero or positive.
int WINAPI lstrcmpA(LPCSTR first, LPCSTR second);
