// The process's handle table: every HANDLE the platform gives out names an object here.
#pragma once

#include <cstddef>
#include <memory>

#include "win32/base.h"

namespace vorn::kernel {

class KernelObject {
public:
    KernelObject() = default;
    KernelObject(const KernelObject&) = delete;
    KernelObject& operator=(const KernelObject&) = delete;
    virtual ~KernelObject() = default;
};

HANDLE insert_handle(std::shared_ptr<KernelObject> object);
std::shared_ptr<KernelObject> find_handle(HANDLE handle);
bool remove_handle(HANDLE handle);

template <typename T> std::shared_ptr<T> find_handle_as(HANDLE handle) {
    return std::dynamic_pointer_cast<T>(find_handle(handle));
}

// Seam for tests: how many handles are open in this process.
std::size_t open_handle_count();

} // namespace vorn::kernel
