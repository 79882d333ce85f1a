// Thread handles and priorities.
#pragma once

#include "win32/base.h"

constexpr int THREAD_PRIORITY_IDLE = -15;
constexpr int THREAD_PRIORITY_LOWEST = -2;
constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
constexpr int THREAD_PRIORITY_HIGHEST = 2;
constexpr int THREAD_PRIORITY_TIME_CRITICAL = 15;
constexpr int THREAD_PRIORITY_ERROR_RETURN = 0x7fffffff;

// The pseudo-handle of the calling thread; it needs no closing.
HANDLE WINAPI GetCurrentThread();
int WINAPI GetThreadPriority(HANDLE thread);
BOOL WINAPI SetThreadPriority(HANDLE thread, int priority);
