// The uninstall extension's own operations, in the order they depend on one another.
// Every path lives in a buffer of MAX_PATH characters, terminator included.
#pragma once

#include <cstring>
#include <windows.h>

// Appends text to the string in out (size bytes); false, and out unchanged, when the
// result would not fit.
inline bool AppendText(char* out, std::size_t size, const char* text) {
    std::size_t used = std::strlen(out);
    std::size_t more = std::strlen(text);
    if (used + more >= size) {
        return false;
    }
    std::memcpy(out + used, text, more + 1);
    return true;
}

// out = first + second, when it fits.
inline bool JoinText(char* out, std::size_t size, const char* first, const char* second) {
    if (size == 0) {
        return false;
    }
    out[0] = '\0';
    return AppendText(out, size, first) && AppendText(out, size, second);
}

// 1 when the text's last character is c and not a double-byte character.
int LastCharIs(LPCSTR text, char c);

// Splits path (shorter than MAX_PATH) at its last single-byte separator into directory
// (the separator included) and remainder; both buffers hold MAX_PATH characters.
void SplitAtLastChar(LPCSTR path, LPSTR directory, LPSTR remainder, char separator);

// The uninstaller directory from the "-c" value of a command line, with its final
// backslash. 1 when "-c" was found; 0 and an empty directory when not, or when the
// command line does not fit a path buffer.
int GetUninstDir(LPCSTR commandLine, LPSTR directory);

// Schedules, through the [Rename] section of WinInit.Ini, the move of source onto
// destination at the next start, or without destination the deletion of source.
// 1 when the line was written.
int WinInitRename(LPCSTR source, LPCSTR destination);

// Schedules every replaced file listed in the section "uninstall" of the directory's
// uninstal.ini to be put back from its backup at the next start.
void RestoreBackupFiles(LPCSTR directory);

// Deletes UNINST.EXE, UNINSTAL.INI and PURGEX32.DLL of the directory, then the directory
// itself: 0 when it could be removed, -1 when not.
int DeleteUninstFiles(LPCSTR directory);

// Enables the shutdown privilege on the NT platform and asks for a restart.
BOOL RestartWindows();
