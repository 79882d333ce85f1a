// The local heap over the platform's allocator, so the allocator seam exhausts it too.
#include <cstdlib>
#include <cstring>

#include "kernel/memory.h"
#include "win32/memory.h"

HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes) {
    if ((flags & ~LMEM_ZEROINIT) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    void* block = vorn::kernel::allocate(bytes != 0 ? bytes : 1);
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
