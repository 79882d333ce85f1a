#include <cstddef>
#include <direct.h>
#include <unistd.h>

char* _getcwd(char* buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return nullptr;
    }
    return ::getcwd(buffer, static_cast<std::size_t>(size));
}

int _chdir(const char* path) {
    return path != nullptr && ::chdir(path) == 0 ? 0 : -1;
}
