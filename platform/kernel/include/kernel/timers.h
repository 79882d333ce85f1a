// Timer internals the tests steer.
#pragma once

namespace vorn::kernel {

// Seam for tests: makes QueryPerformanceCounter report that no counter exists.
void set_performance_counter_available(bool available);

} // namespace vorn::kernel
