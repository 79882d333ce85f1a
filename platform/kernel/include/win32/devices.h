// Device control: one synchronous call into a loaded driver module.
#pragma once

#include "win32/base.h"

struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;

BOOL WINAPI DeviceIoControl(HANDLE device, DWORD ioControlCode, LPVOID inBuffer, DWORD inSize,
                            LPVOID outBuffer, DWORD outSize, LPDWORD bytesReturned,
                            LPOVERLAPPED overlapped);
