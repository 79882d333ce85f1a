// The high-resolution counter counts nanoseconds of the monotonic clock; the
// multimedia timer counts milliseconds since boot.
#include <atomic>
#include <ctime>

#include "kernel/timers.h"
#include "win32/timers.h"

namespace {

std::atomic<bool> s_counterAvailable{true};

std::int64_t nanoseconds(clockid_t clock) {
    timespec now{};
    ::clock_gettime(clock, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

} // namespace

void vorn::kernel::set_performance_counter_available(bool available) {
    s_counterAvailable = available;
}

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count) {
    if (count == nullptr || !s_counterAvailable) {
        return FALSE;
    }
    count->QuadPart = nanoseconds(CLOCK_MONOTONIC);
    return TRUE;
}

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (frequency == nullptr || !s_counterAvailable) {
        return FALSE;
    }
    frequency->QuadPart = 1000000000;
    return TRUE;
}

DWORD WINAPI timeGetTime() {
    return static_cast<DWORD>(nanoseconds(CLOCK_BOOTTIME) / 1000000);
}
