// The platform's allocator for the system's long-lived records, which a test may make fail.
#pragma once

#include <cstddef>

namespace vorn::kernel {

using Allocator = void* (*)(std::size_t size);

// Memory for size bytes, to be released with std::free; null when none is available.
void* allocate(std::size_t size);

// Seam for tests: every later allocate() asks this allocator; null goes back to
// std::malloc. Returns the allocator that was set before.
Allocator set_allocator(Allocator allocator);

} // namespace vorn::kernel
