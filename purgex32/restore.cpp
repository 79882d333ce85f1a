// Putting back, at the next start, the files the product's setup replaced: each listed
// file gets its backup (.BFP, else .BFN) moved over it, by delayed moves on the NT
// platform and by WinInit.Ini elsewhere.
#include "operations.h"

namespace {

constexpr DWORD kKeyListSize = 4096;
constexpr std::size_t kDriveSize = 3;
constexpr std::size_t kPartSize = 256;

struct PathParts {
    char drive[kDriveSize];
    char directory[kPartSize];
    char name[kPartSize];
    char extension[kPartSize];
};

bool CopyPart(char* out, std::size_t size, const char* from, std::size_t length) {
    if (length >= size) {
        return false;
    }
    std::memcpy(out, from, length);
    out[length] = '\0';
    return true;
}

// Drive ("C:"), directory (to its last backslash or slash), name and extension (from the
// last dot after the directory, dot included). False when a part does not fit.
bool SplitPath(LPCSTR path, PathParts& parts) {
    LPCSTR rest = path;
    std::size_t driveLength = path[0] != '\0' && path[1] == ':' ? 2 : 0;
    if (!CopyPart(parts.drive, sizeof parts.drive, path, driveLength)) {
        return false;
    }
    rest += driveLength;
    LPCSTR nameStart = rest;
    LPCSTR lastDot = nullptr;
    for (LPCSTR p = rest; *p != '\0'; p = CharNextA(p)) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*p))) {
            continue;
        }
        if (*p == '\\' || *p == '/') {
            nameStart = p + 1;
            lastDot = nullptr;
        } else if (*p == '.') {
            lastDot = p;
        }
    }
    LPCSTR end = rest + std::strlen(rest);
    LPCSTR extensionStart = lastDot != nullptr ? lastDot : end;
    return CopyPart(parts.directory, sizeof parts.directory, rest,
                    static_cast<std::size_t>(nameStart - rest)) &&
           CopyPart(parts.name, sizeof parts.name, nameStart,
                    static_cast<std::size_t>(extensionStart - nameStart)) &&
           CopyPart(parts.extension, sizeof parts.extension, extensionStart,
                    static_cast<std::size_t>(end - extensionStart));
}

// drive + directory + base + extension, joined as a path. False when it does not fit.
bool MakePath(char* out, std::size_t size, const PathParts& parts, const char* base,
              const char* extension) {
    out[0] = '\0';
    if (parts.drive[0] != '\0') {
        char drive[] = {parts.drive[0], ':', '\0'};
        AppendText(out, size, drive);
    }
    if (parts.directory[0] != '\0') {
        if (!AppendText(out, size, parts.directory)) {
            return false;
        }
        if (!LastCharIs(parts.directory, '\\') && !LastCharIs(parts.directory, '/') &&
            !AppendText(out, size, "\\")) {
            return false;
        }
    }
    if (!AppendText(out, size, base)) {
        return false;
    }
    if (extension[0] != '\0' && extension[0] != '.' && !AppendText(out, size, ".")) {
        return false;
    }
    return AppendText(out, size, extension);
}

// The two virtual device drivers' backups have names of their own.
const char* BackupBase(const PathParts& parts, const char* fullName) {
    if (lstrcmpA(fullName, "ZELQ.386") == 0 || lstrcmpA(fullName, "zelq.386") == 0) {
        return "ZELQ386";
    }
    if (lstrcmpA(fullName, "ZELQ.VXD") == 0 || lstrcmpA(fullName, "zelq.vxd") == 0) {
        return "ZELQVXD";
    }
    return parts.name;
}

bool OnNtPlatform() {
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void RestoreOne(LPCSTR listFile, LPCSTR key) {
    // One byte more than a path: a longer value is seen as such instead of being cut
    // into the name of some other file.
    char value[MAX_PATH + 1];
    DWORD length = GetPrivateProfileStringA("uninstall", key, "", value, sizeof value, listFile);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    char replaced[MAX_PATH];
    std::strcpy(replaced, value);

    PathParts parts;
    char fullName[kPartSize];
    if (!SplitPath(value, parts) ||
        !JoinText(fullName, sizeof fullName, parts.name, parts.extension)) {
        return;
    }
    const char* base = BackupBase(parts, fullName);
    char backup[MAX_PATH];
    if (!MakePath(backup, sizeof backup, parts, base, ".BFP")) {
        return;
    }
    if (GetFileAttributesA(backup) == INVALID_FILE_ATTRIBUTES &&
        !MakePath(backup, sizeof backup, parts, base, ".BFN")) {
        return;
    }
    if (OnNtPlatform()) {
        MoveFileExA(replaced, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
        MoveFileExA(backup, replaced, MOVEFILE_DELAY_UNTIL_REBOOT);
    } else {
        WinInitRename(backup, replaced);
    }
}

} // namespace

void RestoreBackupFiles(LPCSTR directory) {
    char listFile[MAX_PATH];
    if (!JoinText(listFile, sizeof listFile, directory, "uninstal.ini")) {
        return; // a directory too long for the list file's path schedules nothing
    }
    auto* keys = static_cast<char*>(LocalAlloc(LMEM_FIXED, kKeyListSize));
    if (keys == nullptr) {
        return;
    }
    if (GetPrivateProfileStringA("uninstall", nullptr, "", keys, kKeyListSize, listFile) != 0) {
        for (const char* key = keys; *key != '\0'; key += std::strlen(key) + 1) {
            RestoreOne(listFile, key);
        }
    }
    LocalFree(keys);
}
