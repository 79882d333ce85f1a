// The short form of an existing file is its full Windows path, as the namespace spells
// the host file.
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "kernel/paths.h"
#include "win32/shortpath.h"

DWORD WINAPI GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) {
    if (longPath == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto host = vorn::kernel::host_path(longPath);
    struct stat info {};
    if (!host || ::stat(host->c_str(), &info) != 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    std::string full = vorn::kernel::windows_path(*host).value_or("");
    if (full.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    if (shortPath == nullptr || full.size() >= size) {
        return static_cast<DWORD>(full.size() + 1);
    }
    std::memcpy(shortPath, full.c_str(), full.size() + 1);
    return static_cast<DWORD>(full.size());
}
