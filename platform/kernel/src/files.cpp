// CreateFileA on host files. Share mode 0 is exclusive between all openers, in this
// process and others, through an advisory lock; any other share mode shares the file
// with everyone who shares it too.
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "kernel/devices.h"
#include "kernel/file_object.h"
#include "kernel/host_errors.h"
#include "kernel/paths.h"
#include "win32/files.h"

namespace vorn::kernel {

FileObject::~FileObject() {
    if (m_deleteOnClose) {
        ::unlink(m_hostPath.c_str());
    }
    ::close(m_descriptor);
}

} // namespace vorn::kernel

namespace {

int open_flags(DWORD access, DWORD disposition) {
    int flags = O_CLOEXEC;
    bool reads = (access & GENERIC_READ) != 0;
    bool writes = (access & GENERIC_WRITE) != 0;
    flags |= reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
    switch (disposition) {
    case CREATE_NEW:
        return flags | O_CREAT | O_EXCL;
    case CREATE_ALWAYS:
        return flags | O_CREAT | O_TRUNC;
    case OPEN_EXISTING:
        return flags;
    case OPEN_ALWAYS:
        return flags | O_CREAT;
    case TRUNCATE_EXISTING:
        return flags | O_TRUNC;
    default:
        return -1;
    }
}

} // namespace

HANDLE WINAPI CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                          LPSECURITY_ATTRIBUTES, DWORD creationDisposition,
                          DWORD flagsAndAttributes, HANDLE) {
    using namespace vorn::kernel;
    if (fileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (is_device_path(fileName)) {
        return open_device(fileName, flagsAndAttributes);
    }
    auto host = host_path(fileName);
    int flags = open_flags(desiredAccess, creationDisposition);
    if (!host) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (flags == -1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    bool existed = ::access(host->c_str(), F_OK) == 0;
    // Truncation waits until the share check has passed, so a refused open changes nothing.
    bool truncate = (flags & O_TRUNC) != 0;
    int fd = ::open(host->c_str(), flags & ~O_TRUNC, 0666);
    if (fd < 0) {
        SetLastError(error_from_errno(errno));
        return INVALID_HANDLE_VALUE;
    }
    int lock = shareMode == 0 ? LOCK_EX : LOCK_SH;
    if (::flock(fd, lock | LOCK_NB) != 0) {
        ::close(fd);
        SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_HANDLE_VALUE;
    }
    if (truncate && ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        SetLastError(error_from_errno(errno));
        return INVALID_HANDLE_VALUE;
    }
    bool deleteOnClose = (flagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) != 0;
    HANDLE handle = insert_handle(std::make_shared<FileObject>(fd, *host, deleteOnClose));
    // As Win32 does, opening an existing file with OPEN_ALWAYS or CREATE_ALWAYS reports it.
    bool reportsExisting =
        creationDisposition == OPEN_ALWAYS || creationDisposition == CREATE_ALWAYS;
    SetLastError(reportsExisting && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}
