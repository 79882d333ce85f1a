#include "library.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

namespace vornconfig {

std::string Library::default_path() {
    if (const char* chosen = std::getenv("VORN_QMDXSC32"); chosen && *chosen) {
        return chosen;
    }
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        return "libqmdxsc32.so";
    }
    std::string program(self, static_cast<std::size_t>(length));
    return program.substr(0, program.find_last_of('/') + 1) + "../lib/libqmdxsc32.so";
}

Library::Library(const std::string& path) : m_handle(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (!m_handle) {
        const char* why = dlerror();
        m_error = why ? why : "cannot load " + path;
    }
}

Library::~Library() {
    if (m_handle) {
        dlclose(m_handle);
    }
}

void* Library::entry(const char* name) const {
    return m_handle ? dlsym(m_handle, name) : nullptr;
}

} // namespace vornconfig
