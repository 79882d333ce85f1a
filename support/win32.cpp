// The one channel to the packet-security driver.
//
// The device handle is opened lazily and kept for the life of the process. The open is
// not guarded against two threads making their first request at the same moment: the
// worst case is a second handle on the same loaded driver, which is harmless.
#include "vorn/win32.h"

#include <windows.h>

namespace {

HANDLE s_device = nullptr;

// Priorities that are lowered or raised to normal while a request runs.
bool runs_at_normal(int priority) {
    switch (priority) {
    case THREAD_PRIORITY_IDLE:
    case THREAD_PRIORITY_LOWEST:
    case THREAD_PRIORITY_BELOW_NORMAL:
    case THREAD_PRIORITY_ABOVE_NORMAL:
    case THREAD_PRIORITY_HIGHEST:
    case THREAD_PRIORITY_TIME_CRITICAL:
        return true;
    default:
        return false;
    }
}

} // namespace

extern "C" int32_t vorn_driver_request(uint32_t control_code, uint32_t request, vorn_word_t param1,
                                       vorn_word_t param2, vorn_word_t param3, vorn_word_t param4) {
    if (s_device == nullptr) {
        s_device =
            CreateFileA("\\\\.\\QMDXVORN", 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (s_device == INVALID_HANDLE_VALUE) {
            s_device = nullptr;
            return -1;
        }
    }

    HANDLE thread = GetCurrentThread();
    int priority = GetThreadPriority(thread);
    if (runs_at_normal(priority)) {
        SetThreadPriority(thread, THREAD_PRIORITY_NORMAL);
    }

    vorn_request_block block{control_code, request, param1, param2, param3, param4};
    int32_t reply = 0;
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(s_device, control_code, &block, sizeof block, &reply, sizeof reply,
                              &returned, nullptr);

    if (priority != THREAD_PRIORITY_NORMAL) {
        SetThreadPriority(thread, priority);
    }
    if (!ok) {
        return -1;
    }
    return reply;
}
