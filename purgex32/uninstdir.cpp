// The uninstaller directory from the host's command line, moving by whole characters so
// that a trail byte of a double-byte character is never taken for a quote or backslash.
#include "operations.h"

namespace {

// The start of the last character of a text that is not empty.
LPCSTR LastChar(LPCSTR text) {
    LPCSTR p = text;
    while (*CharNextA(p) != '\0') {
        p = CharNextA(p);
    }
    return p;
}

} // namespace

int LastCharIs(LPCSTR text, char c) {
    if (*text == '\0') {
        return 0;
    }
    LPCSTR last = LastChar(text);
    if (IsDBCSLeadByte(static_cast<BYTE>(*last))) {
        return 0;
    }
    return *last == c ? 1 : 0;
}

void SplitAtLastChar(LPCSTR path, LPSTR directory, LPSTR remainder, char separator) {
    directory[0] = '\0';
    remainder[0] = '\0';
    if (*path == '\0') {
        return;
    }
    LPCSTR p = LastChar(path);
    for (;;) {
        if (!IsDBCSLeadByte(static_cast<BYTE>(*p)) && *p == separator) {
            std::size_t i = static_cast<std::size_t>(p - path);
            std::memcpy(directory, path, i + 1);
            directory[i + 1] = '\0';
            std::strcpy(remainder, p + 1);
            return;
        }
        if (p == path) {
            break;
        }
        p = CharPrevA(path, p);
        if (p == path) {
            break; // the first character of a longer path is not compared
        }
    }
    std::strcpy(remainder, path);
}

int GetUninstDir(LPCSTR commandLine, LPSTR directory) {
    char line[MAX_PATH];
    char value[MAX_PATH];
    char fileName[MAX_PATH];
    directory[0] = '\0';
    if (commandLine == nullptr || std::strlen(commandLine) >= MAX_PATH) {
        return 0; // a command line that does not fit is treated as one without "-c"
    }
    std::strcpy(line, commandLine);
    LPCSTR option = std::strstr(line, "-c");
    if (option == nullptr) {
        return 0;
    }
    LPCSTR p = CharNextA(CharNextA(option));
    if (*p == '"' && !IsDBCSLeadByte(static_cast<BYTE>(*p))) {
        p = CharNextA(p);
    }
    std::strcpy(value, p);
    if (LastCharIs(value, '"')) {
        value[std::strlen(value) - 1] = '\0';
    }
    SplitAtLastChar(value, directory, fileName, '\\');
    return 1;
}
