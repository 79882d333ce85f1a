#include "kernel/clock.h"

#include <atomic>

namespace vorn::kernel {
namespace {

std::atomic<ClockSource> s_source{nullptr};

} // namespace

std::time_t current_time() {
    ClockSource source = s_source.load();
    return source != nullptr ? source() : std::time(nullptr);
}

ClockSource set_clock_source(ClockSource source) {
    return s_source.exchange(source);
}

} // namespace vorn::kernel
