// Handle values are small multiples of four, never null and never INVALID_HANDLE_VALUE,
// so a stale or made-up handle is refused instead of dereferenced.
#include "kernel/handles.h"

#include <map>
#include <mutex>
#include <utility>

namespace vorn::kernel {
namespace {

std::mutex s_lock;
std::map<std::uintptr_t, std::shared_ptr<KernelObject>> s_objects;
std::uintptr_t s_next = 4;

} // namespace

HANDLE insert_handle(std::shared_ptr<KernelObject> object) {
    std::lock_guard guard(s_lock);
    std::uintptr_t value = s_next;
    s_next += 4;
    s_objects.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> find_handle(HANDLE handle) {
    std::lock_guard guard(s_lock);
    auto found = s_objects.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == s_objects.end() ? nullptr : found->second;
}

bool remove_handle(HANDLE handle) {
    std::shared_ptr<KernelObject> object;
    {
        std::lock_guard guard(s_lock);
        auto found = s_objects.find(reinterpret_cast<std::uintptr_t>(handle));
        if (found == s_objects.end()) {
            return false;
        }
        object = std::move(found->second);
        s_objects.erase(found);
    }
    // The object's own clean-up (closing a file, unloading a driver) runs outside the lock.
    object.reset();
    return true;
}

std::size_t open_handle_count() {
    std::lock_guard guard(s_lock);
    return s_objects.size();
}

} // namespace vorn::kernel

BOOL WINAPI CloseHandle(HANDLE handle) {
    if (!vorn::kernel::remove_handle(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
