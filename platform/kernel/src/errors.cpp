// The calling thread's last error.
#include "win32/base.h"

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;
}

DWORD WINAPI GetLastError() {
    return t_lastError;
}

void WINAPI SetLastError(DWORD error) {
    t_lastError = error;
}
