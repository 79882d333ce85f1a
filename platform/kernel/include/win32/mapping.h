// File mappings: views of a file in memory, shared with the file.
#pragma once

#include "win32/base.h"
#include "win32/files.h"

constexpr DWORD PAGE_READONLY = 0x02;
constexpr DWORD PAGE_READWRITE = 0x04;
constexpr DWORD PAGE_WRITECOPY = 0x08;

constexpr DWORD FILE_MAP_COPY = 0x01;
constexpr DWORD FILE_MAP_WRITE = 0x02;
constexpr DWORD FILE_MAP_READ = 0x04;
constexpr DWORD FILE_MAP_ALL_ACCESS = 0x000F001FU;

// A mapping larger than the file extends the file (read-write mappings only); size 0 is
// the file's size. Only mappings of files, and only unnamed ones.
HANDLE WINAPI CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES security, DWORD protect,
                                 DWORD maximumSizeHigh, DWORD maximumSizeLow, LPCSTR name);

// Bytes 0: from the offset to the end of the mapping. The view outlives the mapping's
// handle until it is unmapped.
LPVOID WINAPI MapViewOfFile(HANDLE mapping, DWORD desiredAccess, DWORD fileOffsetHigh,
                            DWORD fileOffsetLow, SIZE_T bytes);
BOOL WINAPI UnmapViewOfFile(LPCVOID baseAddress);
