// File and directory operations by name and by handle, and delayed moves.
#pragma once

#include "win32/base.h"

constexpr DWORD MAX_PATH = 260;

constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFU;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFFU;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFFU;

constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;

constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD MOVEFILE_COPY_ALLOWED = 0x2;
constexpr DWORD MOVEFILE_DELAY_UNTIL_REBOOT = 0x4;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;

constexpr DWORD ERROR_NOT_SAME_DEVICE = 17;
constexpr DWORD ERROR_NEGATIVE_SEEK = 131;
constexpr DWORD ERROR_INVALID_NAME = 123;

DWORD WINAPI GetFileAttributesA(LPCSTR fileName);

// The low 32 bits of the size; the high ones into sizeHigh when it is given.
DWORD WINAPI GetFileSize(HANDLE file, LPDWORD sizeHigh);
DWORD WINAPI SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod);
// Cuts or extends the file at its file pointer.
BOOL WINAPI SetEndOfFile(HANDLE file);

// A file held open with share mode 0 is in use and is not deleted.
BOOL WINAPI DeleteFileA(LPCSTR fileName);
BOOL WINAPI RemoveDirectoryA(LPCSTR pathName);

// With MOVEFILE_DELAY_UNTIL_REBOOT the operation is appended to the pending-operations
// store and carried out at the next start (no new name: the file is deleted then).
// Otherwise at once: onto an existing file only with MOVEFILE_REPLACE_EXISTING.
BOOL WINAPI MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags);
