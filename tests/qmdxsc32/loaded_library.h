// QMDXSC32 loaded by name, as a host loads it; its exports looked up by name.
#pragma once

#include <dlfcn.h>

class LoadedLibrary {
public:
    LoadedLibrary() : m_handle(dlopen(QMDXSC32_PATH, RTLD_NOW | RTLD_LOCAL)) {}
    ~LoadedLibrary() {
        if (m_handle) {
            dlclose(m_handle);
        }
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    template <typename Function> Function entry(const char* name) const {
        return m_handle ? reinterpret_cast<Function>(dlsym(m_handle, name)) : nullptr;
    }

private:
    void* m_handle;
};
