// Thread priorities: the Win32 value is kept per thread, whatever integer it is, and a
// matching nice value is applied to the thread where the OS allows it.
#include <algorithm>
#include <cerrno>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "kernel/threads.h"
#include "win32/threads.h"

namespace {

const HANDLE kCurrentThread = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-2));

thread_local int t_priority = THREAD_PRIORITY_NORMAL;
thread_local bool t_niceKnown = false;
thread_local int t_baseNice = 0;
thread_local int t_changes = 0;

pid_t thread_id() {
    return static_cast<pid_t>(::syscall(SYS_gettid));
}

// The nice offset that matches a Win32 priority: higher priority, lower nice.
int nice_offset(int priority) {
    if (priority <= THREAD_PRIORITY_IDLE) {
        return 19;
    }
    if (priority <= THREAD_PRIORITY_LOWEST) {
        return 10;
    }
    if (priority == THREAD_PRIORITY_BELOW_NORMAL) {
        return 5;
    }
    if (priority == THREAD_PRIORITY_NORMAL) {
        return 0;
    }
    if (priority == THREAD_PRIORITY_ABOVE_NORMAL) {
        return -5;
    }
    if (priority < THREAD_PRIORITY_TIME_CRITICAL) {
        return -10;
    }
    return -20;
}

void apply_nice(int priority) {
    if (!t_niceKnown) {
        // The thread's nice value before the first change is what "normal" means for it.
        errno = 0;
        int current = ::getpriority(PRIO_PROCESS, static_cast<id_t>(thread_id()));
        t_baseNice = errno == 0 ? current : 0;
        t_niceKnown = true;
    }
    int nice = std::clamp(t_baseNice + nice_offset(priority), -20, 19);
    // Refused without the privilege to raise priority; the Win32 value still holds.
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(thread_id()), nice);
}

} // namespace

int vorn::kernel::thread_priority_changes() {
    return t_changes;
}

HANDLE WINAPI GetCurrentThread() {
    return kCurrentThread;
}

int WINAPI GetThreadPriority(HANDLE thread) {
    if (thread != kCurrentThread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return THREAD_PRIORITY_ERROR_RETURN;
    }
    return t_priority;
}

BOOL WINAPI SetThreadPriority(HANDLE thread, int priority) {
    if (thread != kCurrentThread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    t_priority = priority;
    ++t_changes;
    apply_nice(priority);
    return TRUE;
}
