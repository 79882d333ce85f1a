// Scheduling a rename for the next start of the 95 family: a line right after the
// [Rename] header of WinInit.Ini, edited in place through one mapping sized for the
// growth in advance.
#include "operations.h"

namespace {

const char kHeader[] = "[Rename]\r\n";
constexpr DWORD kHeaderLength = sizeof kHeader - 1;

// Puts the line after the first header (or a new header at the end) in a view of at
// least size + length + header bytes whose bytes past size are zero. Gives the new size.
DWORD InsertLine(char* view, DWORD size, const char* line, DWORD length) {
    // The zero bytes past the old end end the text, so the search never leaves it.
    const char* header = std::strstr(view, kHeader);
    DWORD at = 0;
    if (header != nullptr) {
        at = static_cast<DWORD>(header - view) + kHeaderLength;
        std::memmove(view + at + length, view + at, size - at);
    } else {
        std::memcpy(view + size, kHeader, kHeaderLength);
        size += kHeaderLength;
        at = size;
    }
    std::memcpy(view + at, line, length);
    return size + length;
}

} // namespace

int WinInitRename(LPCSTR source, LPCSTR destination) {
    char line[1024];
    DWORD length = static_cast<DWORD>(
        wsprintfA(line, "%hs=%hs\r\n", destination != nullptr ? destination : "NUL", source));

    char path[MAX_PATH];
    UINT windowsLength = GetWindowsDirectoryA(path, sizeof path);
    if (windowsLength == 0 || windowsLength >= sizeof path ||
        !AppendText(path, sizeof path, "\\WinInit.Ini")) {
        return 0;
    }
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 0;
    }
    DWORD sizeHigh = 0;
    DWORD size = GetFileSize(file, &sizeHigh);
    // A size the file pointer cannot reach is left alone rather than cut.
    if (size == INVALID_FILE_SIZE || sizeHigh != 0 || size > 0x7FFFFFFFU - length - kHeaderLength) {
        CloseHandle(file);
        return 0;
    }
    int result = 0;
    DWORD newSize = size;
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READWRITE, 0,
                                        size + length + kHeaderLength, nullptr);
    if (mapping != nullptr) {
        char* view = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
        if (view != nullptr) {
            newSize = InsertLine(view, size, line, length);
            UnmapViewOfFile(view);
            result = 1;
        }
        CloseHandle(mapping);
    }
    // The mapping grew the file for the edit: cut it to its exact length, or back to
    // the old one when the edit did not happen.
    SetFilePointer(file, static_cast<LONG>(newSize), nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    return result;
}
