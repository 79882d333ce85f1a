#include "kernel/memory.h"

#include <atomic>
#include <cstdlib>

namespace vorn::kernel {
namespace {

std::atomic<Allocator> s_allocator{nullptr};

} // namespace

void* allocate(std::size_t size) {
    Allocator allocator = s_allocator.load();
    return allocator != nullptr ? allocator(size) : std::malloc(size);
}

Allocator set_allocator(Allocator allocator) {
    return s_allocator.exchange(allocator);
}

} // namespace vorn::kernel
