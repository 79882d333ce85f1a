// Seam for tests: make local-heap allocations fail.
#pragma once

namespace vorn::kernel {

// The next count calls of LocalAlloc fail as if the heap were exhausted.
void fail_next_local_allocs(int count);

} // namespace vorn::kernel
