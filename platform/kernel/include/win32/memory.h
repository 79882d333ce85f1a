// The local heap.
#pragma once

#include "win32/base.h"

using HLOCAL = void*;

constexpr UINT LMEM_FIXED = 0x0000;
constexpr UINT LMEM_MOVEABLE = 0x0002;
constexpr UINT LMEM_ZEROINIT = 0x0040;
constexpr UINT LPTR = LMEM_FIXED | LMEM_ZEROINIT;

// Fixed blocks only: the handle is the block's address.
HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes);
// Null on success, the handle when it could not be freed.
HLOCAL WINAPI LocalFree(HLOCAL memory);
