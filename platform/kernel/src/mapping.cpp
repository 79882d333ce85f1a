// File mappings over mmap. A mapping object keeps its own descriptor of the file, so the
// file may be closed while the mapping lives; views keep the pages after both are closed.
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "kernel/file_object.h"
#include "kernel/handles.h"
#include "kernel/host_errors.h"
#include "win32/mapping.h"

namespace {

constexpr DWORD ERROR_FILE_INVALID = 1006;
constexpr DWORD ERROR_MAPPED_ALIGNMENT = 1132;
constexpr DWORD ERROR_INVALID_ADDRESS = 487;

class MappingObject : public vorn::kernel::KernelObject {
public:
    MappingObject(int descriptor, std::uint64_t size, bool writable)
        : m_descriptor(descriptor), m_size(size), m_writable(writable) {}
    ~MappingObject() override { ::close(m_descriptor); }

    int descriptor() const { return m_descriptor; }
    std::uint64_t size() const { return m_size; }
    bool writable() const { return m_writable; }

private:
    int m_descriptor;
    std::uint64_t m_size;
    bool m_writable;
};

std::mutex s_viewLock;
std::map<const void*, std::size_t> s_views; // address -> length, for unmapping

bool file_writable(int descriptor) {
    int mode = ::fcntl(descriptor, F_GETFL) & O_ACCMODE;
    return mode == O_RDWR || mode == O_WRONLY;
}

} // namespace

HANDLE WINAPI CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES, DWORD protect,
                                 DWORD maximumSizeHigh, DWORD maximumSizeLow, LPCSTR name) {
    using namespace vorn::kernel;
    auto object = find_handle_as<FileObject>(file);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    bool writable = protect == PAGE_READWRITE;
    if ((protect != PAGE_READONLY && protect != PAGE_READWRITE && protect != PAGE_WRITECOPY) ||
        name != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (writable && !file_writable(object->descriptor())) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    struct stat info {};
    if (::fstat(object->descriptor(), &info) != 0) {
        fail_with_errno();
        return nullptr;
    }
    auto fileSize = static_cast<std::uint64_t>(info.st_size);
    std::uint64_t size = (std::uint64_t{maximumSizeHigh} << 32) | maximumSizeLow;
    if (size == 0) {
        if (fileSize == 0) {
            SetLastError(ERROR_FILE_INVALID);
            return nullptr;
        }
        size = fileSize;
    }
    if (size > fileSize) {
        if (!writable) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        if (::ftruncate(object->descriptor(), static_cast<off_t>(size)) != 0) {
            fail_with_errno();
            return nullptr;
        }
    }
    int descriptor = ::fcntl(object->descriptor(), F_DUPFD_CLOEXEC, 0);
    if (descriptor < 0) {
        fail_with_errno();
        return nullptr;
    }
    SetLastError(ERROR_SUCCESS);
    return insert_handle(std::make_shared<MappingObject>(descriptor, size, writable));
}

LPVOID WINAPI MapViewOfFile(HANDLE mapping, DWORD desiredAccess, DWORD fileOffsetHigh,
                            DWORD fileOffsetLow, SIZE_T bytes) {
    using namespace vorn::kernel;
    auto object = find_handle_as<MappingObject>(mapping);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    std::uint64_t offset = (std::uint64_t{fileOffsetHigh} << 32) | fileOffsetLow;
    if (offset % static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE)) != 0) {
        SetLastError(ERROR_MAPPED_ALIGNMENT);
        return nullptr;
    }
    if (offset > object->size() || (bytes == 0 && offset == object->size()) ||
        bytes > object->size() - offset) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    std::size_t length = bytes != 0 ? bytes : static_cast<std::size_t>(object->size() - offset);
    bool wantsWrite = (desiredAccess & (FILE_MAP_WRITE | FILE_MAP_COPY)) != 0;
    if ((desiredAccess & FILE_MAP_WRITE) != 0 && !object->writable()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    int protection = PROT_READ | (wantsWrite ? PROT_WRITE : 0);
    int sharing = desiredAccess == FILE_MAP_COPY ? MAP_PRIVATE : MAP_SHARED;
    void* view = ::mmap(nullptr, length, protection, sharing, object->descriptor(),
                        static_cast<off_t>(offset));
    if (view == MAP_FAILED) {
        fail_with_errno();
        return nullptr;
    }
    std::lock_guard guard(s_viewLock);
    s_views.emplace(view, length);
    return view;
}

BOOL WINAPI UnmapViewOfFile(LPCVOID baseAddress) {
    std::size_t length = 0;
    {
        std::lock_guard guard(s_viewLock);
        auto found = s_views.find(baseAddress);
        if (found == s_views.end()) {
            SetLastError(ERROR_INVALID_ADDRESS);
            return FALSE;
        }
        length = found->second;
        s_views.erase(found);
    }
    ::munmap(const_cast<void*>(baseAddress), length);
    return TRUE;
}
