// Timer internals the tests steer.
#pragma once

#include <cstdint>

namespace vorn::kernel {

using TimerSource = std::int64_t (*)(); // nanoseconds

// Seam for tests: makes QueryPerformanceCounter report that no counter exists.
void set_performance_counter_available(bool available);

// Seam for tests: the counter and the multimedia timer read this source instead of the
// system's clocks; null goes back to them. Returns the source that was set before.
TimerSource set_timer_source(TimerSource source);

} // namespace vorn::kernel
