// The C library's current-directory calls, on host paths.
#pragma once

// Null when the directory does not fit in size bytes.
char* _getcwd(char* buffer, int size);
// 0 on success, -1 when the directory cannot be entered.
int _chdir(const char* path);
