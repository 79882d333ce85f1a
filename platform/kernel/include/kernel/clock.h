// The platform's clock: the current calendar time, which a test may pin.
#pragma once

#include <ctime>

namespace vorn::kernel {

using ClockSource = std::time_t (*)();

// The current time, from the pinned source when one is set.
std::time_t current_time();

// Seam for tests: every later current_time() asks this source; null goes back to the
// system clock. Returns the source that was set before.
ClockSource set_clock_source(ClockSource source);

} // namespace vorn::kernel
