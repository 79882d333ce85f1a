// Host error numbers in Win32 terms.
#include "kernel/host_errors.h"

#include <cerrno>

#include "win32/fileops.h"

namespace vorn::kernel {

DWORD error_from_errno(int error) {
    switch (error) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case ENAMETOOLONG:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case EBUSY:
        return ERROR_ACCESS_DENIED;
    case EEXIST:
        return ERROR_FILE_EXISTS;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EXDEV:
        return ERROR_NOT_SAME_DEVICE;
    default:
        return ERROR_GEN_FAILURE;
    }
}

BOOL fail_with_errno() {
    SetLastError(error_from_errno(errno));
    return FALSE;
}

const char* error_text(DWORD error) {
    switch (error) {
    case ERROR_SUCCESS:
        return "no error";
    case ERROR_FILE_NOT_FOUND:
        return "file not found";
    case ERROR_PATH_NOT_FOUND:
        return "path not found";
    case ERROR_ACCESS_DENIED:
        return "access denied";
    case ERROR_NOT_ENOUGH_MEMORY:
        return "not enough memory";
    case ERROR_NOT_SAME_DEVICE:
        return "not on the same device";
    case ERROR_SHARING_VIOLATION:
        return "in use by another program";
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return "the destination exists";
    case ERROR_INVALID_PARAMETER:
        return "invalid parameter";
    case ERROR_INVALID_NAME:
        return "invalid name";
    case ERROR_DIR_NOT_EMPTY:
        return "directory not empty";
    default:
        return "failed";
    }
}

} // namespace vorn::kernel
