// File and directory operations on host paths, and delayed moves into the pending store.
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "kernel/file_object.h"
#include "kernel/host_errors.h"
#include "kernel/paths.h"
#include "kernel/pending.h"
#include "win32/fileops.h"
#include "win32/files.h"

namespace {

using namespace vorn::kernel;

std::optional<std::string> resolve(LPCSTR fileName) {
    if (fileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    auto host = host_path(fileName);
    if (!host) {
        SetLastError(ERROR_PATH_NOT_FOUND);
    }
    return host;
}

// True when someone holds the file open with share mode 0.
bool held_exclusively(const std::string& host) {
    int descriptor = ::open(host.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    bool held = ::flock(descriptor, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(descriptor);
    return held;
}

// The full Windows form of a path, for a store that is read by another process later.
std::optional<std::string> full_windows_path(LPCSTR fileName) {
    for (LPCSTR c = fileName; *c != '\0'; ++c) {
        if (static_cast<unsigned char>(*c) < 0x20) {
            SetLastError(ERROR_INVALID_NAME);
            return std::nullopt;
        }
    }
    auto host = resolve(fileName);
    if (!host) {
        return std::nullopt;
    }
    auto windows = windows_path(*host);
    if (!windows) {
        SetLastError(ERROR_PATH_NOT_FOUND);
    }
    return windows;
}

BOOL schedule(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags) {
    if ((flags & MOVEFILE_COPY_ALLOWED) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    PendingOperation operation;
    operation.flags = flags;
    auto source = full_windows_path(existingFileName);
    if (!source) {
        return FALSE;
    }
    operation.source = *source;
    if (newFileName != nullptr && *newFileName != '\0') {
        auto destination = full_windows_path(newFileName);
        if (!destination) {
            return FALSE;
        }
        operation.destination = *destination;
    }
    if (!append_pending_operation(operation)) {
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL copy_then_delete(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    if (error || ::unlink(from.c_str()) != 0) {
        SetLastError(error ? error_from_errno(error.value()) : error_from_errno(errno));
        return FALSE;
    }
    return TRUE;
}

BOOL move_now(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags) {
    auto from = resolve(existingFileName);
    if (!from) {
        return FALSE;
    }
    if (newFileName == nullptr || *newFileName == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto to = resolve(newFileName);
    if (!to) {
        return FALSE;
    }
    struct stat info {};
    if (::lstat(from->c_str(), &info) != 0) {
        return fail_with_errno();
    }
    bool replace = (flags & MOVEFILE_REPLACE_EXISTING) != 0;
    if (::lstat(to->c_str(), &info) == 0) {
        if (!replace) {
            SetLastError(ERROR_ALREADY_EXISTS);
            return FALSE;
        }
        if (S_ISDIR(info.st_mode)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
    }
    if (::rename(from->c_str(), to->c_str()) != 0) {
        if (errno == EXDEV && (flags & MOVEFILE_COPY_ALLOWED) != 0) {
            return copy_then_delete(*from, *to);
        }
        return fail_with_errno();
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

} // namespace

DWORD WINAPI GetFileAttributesA(LPCSTR fileName) {
    auto host = resolve(fileName);
    struct stat info {};
    if (!host || ::stat(host->c_str(), &info) != 0) {
        if (host) {
            fail_with_errno();
        }
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attributes = 0;
    if (S_ISDIR(info.st_mode)) {
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    }
    if ((info.st_mode & S_IWUSR) == 0) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    return attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
}

DWORD WINAPI GetFileSize(HANDLE file, LPDWORD sizeHigh) {
    auto object = find_handle_as<FileObject>(file);
    struct stat info {};
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    if (::fstat(object->descriptor(), &info) != 0) {
        fail_with_errno();
        return INVALID_FILE_SIZE;
    }
    auto size = static_cast<std::uint64_t>(info.st_size);
    if (sizeHigh != nullptr) {
        *sizeHigh = static_cast<DWORD>(size >> 32);
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

DWORD WINAPI SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod) {
    auto object = find_handle_as<FileObject>(file);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_SET_FILE_POINTER;
    }
    std::int64_t move = distance;
    if (distanceHigh != nullptr) {
        move = static_cast<std::int64_t>((static_cast<std::uint64_t>(*distanceHigh) << 32) |
                                         static_cast<DWORD>(distance));
    }
    int whence = moveMethod == FILE_BEGIN     ? SEEK_SET
                 : moveMethod == FILE_CURRENT ? SEEK_CUR
                 : moveMethod == FILE_END     ? SEEK_END
                                              : -1;
    if (whence == -1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    off_t position = ::lseek(object->descriptor(), static_cast<off_t>(move), whence);
    if (position < 0) {
        SetLastError(errno == EINVAL ? ERROR_NEGATIVE_SEEK : error_from_errno(errno));
        return INVALID_SET_FILE_POINTER;
    }
    if (distanceHigh != nullptr) {
        *distanceHigh = static_cast<LONG>(static_cast<std::uint64_t>(position) >> 32);
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(position);
}

BOOL WINAPI SetEndOfFile(HANDLE file) {
    auto object = find_handle_as<FileObject>(file);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    off_t position = ::lseek(object->descriptor(), 0, SEEK_CUR);
    if (position < 0 || ::ftruncate(object->descriptor(), position) != 0) {
        return fail_with_errno();
    }
    return TRUE;
}

BOOL WINAPI DeleteFileA(LPCSTR fileName) {
    auto host = resolve(fileName);
    if (!host) {
        return FALSE;
    }
    struct stat info {};
    if (::lstat(host->c_str(), &info) != 0) {
        return fail_with_errno();
    }
    if (S_ISDIR(info.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (held_exclusively(*host)) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return FALSE;
    }
    if (::unlink(host->c_str()) != 0) {
        return fail_with_errno();
    }
    return TRUE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR pathName) {
    auto host = resolve(pathName);
    if (!host) {
        return FALSE;
    }
    // The root of a drive is the drive itself, never removed.
    auto windows = windows_path(*host);
    if (windows && windows->size() <= 3) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (::rmdir(host->c_str()) != 0) {
        return fail_with_errno();
    }
    return TRUE;
}

BOOL WINAPI MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags) {
    if (existingFileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if ((flags & MOVEFILE_DELAY_UNTIL_REBOOT) != 0) {
        return schedule(existingFileName, newFileName, flags);
    }
    return move_now(existingFileName, newFileName, flags);
}
