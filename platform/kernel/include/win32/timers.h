// The high-resolution counter and the multimedia timer.
#pragma once

#include "win32/base.h"

union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    std::int64_t QuadPart;
};

// FALSE when no high-resolution counter is available.
BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency);

// Milliseconds since the system started, wrapping at 2^32.
DWORD WINAPI timeGetTime();
