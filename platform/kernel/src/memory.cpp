// The local heap over the C heap; the seam lets tests exhaust it.
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "kernel/local_heap.h"
#include "win32/memory.h"

namespace {
std::atomic<int> s_failuresLeft{0};
}

namespace vorn::kernel {

void fail_next_local_allocs(int count) {
    s_failuresLeft = count;
}

} // namespace vorn::kernel

HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes) {
    if ((flags & ~LMEM_ZEROINIT) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    int left = s_failuresLeft.load();
    while (left > 0 && !s_failuresLeft.compare_exchange_weak(left, left - 1)) {
    }
    void* block = left > 0 ? nullptr : std::malloc(bytes != 0 ? bytes : 1);
    if (block == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if ((flags & LMEM_ZEROINIT) != 0) {
        std::memset(block, 0, bytes);
    }
    return block;
}

HLOCAL WINAPI LocalFree(HLOCAL memory) {
    std::free(memory);
    return nullptr;
}
