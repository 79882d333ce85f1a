// The high-resolution counter counts nanoseconds of the monotonic clock; the
// multimedia timer counts milliseconds since boot.
#include <atomic>
#include <ctime>

#include "kernel/timers.h"
#include "win32/timers.h"

namespace {

std::atomic<bool> s_counterAvailable{true};
std::atomic<vorn::kernel::TimerSource> s_source{nullptr};

std::int64_t nanoseconds(clockid_t clock) {
    if (const vorn::kernel::TimerSource source = s_source) {
        return source();
    }
    timespec now{};
    ::clock_gettime(clock, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

} // namespace

void vorn::kernel::set_performance_counter_available(bool available) {
    s_counterAvailable = available;
}

vorn::kernel::TimerSource vorn::kernel::set_timer_source(TimerSource source) {
    return s_source.exchange(source);
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
