// The Windows directory.
#include <cstring>

#include "kernel/paths.h"
#include "win32/system.h"

UINT WINAPI GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    static const char kWindows[] = "C:\\WINDOWS";
    constexpr UINT kLength = sizeof kWindows - 1;
    vorn::kernel::windows_directory();
    if (buffer == nullptr || size <= kLength) {
        return kLength + 1;
    }
    std::memcpy(buffer, kWindows, kLength + 1);
    return kLength;
}
