// Thread internals the tests look at.
#pragma once

namespace vorn::kernel {

// Seam for tests: how many times the calling thread's priority has been set.
int thread_priority_changes();

} // namespace vorn::kernel
