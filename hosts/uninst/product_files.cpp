// Removing the product's files before the uninstall extension removes the uninstaller.
#include "product_files.h"

#include <cstdio>
#include <vector>

#include <windows.h>

#include "kernel/host_errors.h"

namespace {

std::vector<std::string> key_names(const char* listFile) {
    std::vector<char> list(65536);
    GetPrivateProfileStringA("files", nullptr, "", list.data(), static_cast<DWORD>(list.size()),
                             listFile);
    std::vector<std::string> names;
    for (const char* key = list.data(); *key != '\0'; key += names.back().size() + 1) {
        names.emplace_back(key);
    }
    return names;
}

bool remove_one(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return RemoveDirectoryA(path) != FALSE;
    }
    return DeleteFileA(path) != FALSE;
}

} // namespace

int remove_product_files(const std::string& listFile) {
    int failures = 0;
    for (const std::string& key : key_names(listFile.c_str())) {
        char path[MAX_PATH + 1];
        DWORD length =
            GetPrivateProfileStringA("files", key.c_str(), "", path, sizeof path, listFile.c_str());
        if (length == 0) {
            continue;
        }
        if (length >= MAX_PATH) {
            std::printf("not removed: %s...: the path is too long\n", path);
            ++failures;
        } else if (remove_one(path)) {
            std::printf("removed %s\n", path);
        } else {
            std::printf("not removed: %s: %s\n", path, vorn::kernel::error_text(GetLastError()));
            ++failures;
        }
    }
    return failures;
}
