// Devices are driver modules: shared objects with the entry points vorn_driver_open,
// vorn_driver_close and vorn_driver_control. A module runs in the caller's address
// space, so addresses inside a request are real.
#include "kernel/devices.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <dlfcn.h>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unistd.h>
#include <vector>

#include "kernel/handles.h"
#include "win32/devices.h"
#include "win32/files.h"

#ifndef VORN_INSTALLED_DRIVER_DIR
#define VORN_INSTALLED_DRIVER_DIR "/usr/local/lib/vorn/drivers"
#endif

namespace vorn::kernel {
namespace {

using OpenEntry = int (*)();
using CloseEntry = void (*)();
using ControlEntry = int (*)(std::uint32_t, const void*, std::uint32_t, void*, std::uint32_t,
                             std::uint32_t*);

class DriverModule {
public:
    DriverModule(void* library, CloseEntry closeEntry, ControlEntry controlEntry)
        : m_library(library), m_close(closeEntry), m_control(controlEntry) {}
    DriverModule(const DriverModule&) = delete;
    DriverModule& operator=(const DriverModule&) = delete;
    ~DriverModule() {
        m_close();
        ::dlclose(m_library);
    }

    int control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                std::uint32_t outSize, std::uint32_t* returned) const {
        return m_control(code, in, inSize, out, outSize, returned);
    }

private:
    void* m_library;
    CloseEntry m_close;
    ControlEntry m_control;
};

class DeviceObject : public KernelObject {
public:
    explicit DeviceObject(std::shared_ptr<DriverModule> module) : m_module(std::move(module)) {}
    const DriverModule& module() const { return *m_module; }

private:
    std::shared_ptr<DriverModule> m_module;
};

std::mutex s_lock;
// Modules by lower-case name. A weak entry goes away with the last handle that asked to
// unload on close; a module opened once without that flag stays resident.
std::map<std::string, std::weak_ptr<DriverModule>> s_loaded;
std::vector<std::shared_ptr<DriverModule>> s_resident;

// The directories a module is looked for in, when VORN_DRIVER_PATH does not say.
std::vector<std::string> default_driver_directories() {
    std::vector<std::string> directories;
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&default_driver_directories), &info) != 0 &&
        info.dli_fname != nullptr) {
        std::string self = info.dli_fname;
        std::string directory = self.substr(0, self.find_last_of('/') + 1);
        directories.push_back(directory + "vorn/drivers");
        directories.push_back(directory + "../lib/vorn/drivers");
    }
    directories.emplace_back(VORN_INSTALLED_DRIVER_DIR);
    return directories;
}

std::vector<std::string> driver_directories() {
    const char* path = std::getenv("VORN_DRIVER_PATH");
    if (path == nullptr || *path == '\0') {
        return default_driver_directories();
    }
    std::vector<std::string> directories;
    std::string current;
    for (const char* p = path;; ++p) {
        if (*p == ':' || *p == '\0') {
            if (!current.empty()) {
                directories.push_back(current);
            }
            current.clear();
            if (*p == '\0') {
                break;
            }
        } else {
            current += *p;
        }
    }
    return directories;
}

std::shared_ptr<DriverModule> load_module(const std::string& name) {
    for (const std::string& directory : driver_directories()) {
        std::string file = directory + "/" + name + ".so";
        if (::access(file.c_str(), F_OK) != 0) {
            continue;
        }
        void* library = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            continue;
        }
        auto open = reinterpret_cast<OpenEntry>(::dlsym(library, "vorn_driver_open"));
        auto close = reinterpret_cast<CloseEntry>(::dlsym(library, "vorn_driver_close"));
        auto control = reinterpret_cast<ControlEntry>(::dlsym(library, "vorn_driver_control"));
        if (open == nullptr || close == nullptr || control == nullptr || open() == 0) {
            ::dlclose(library);
            return nullptr;
        }
        return std::make_shared<DriverModule>(library, close, control);
    }
    return nullptr;
}

} // namespace

bool is_device_path(std::string_view path) {
    return path.size() > 4 && path.substr(0, 4) == "\\\\.\\";
}

HANDLE open_device(std::string_view path, DWORD flags) {
    std::string name(path.substr(4));
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }

    std::shared_ptr<DriverModule> module;
    {
        std::lock_guard guard(s_lock);
        module = s_loaded[name].lock();
        if (!module) {
            module = load_module(name);
            if (!module) {
                s_loaded.erase(name);
                SetLastError(ERROR_FILE_NOT_FOUND);
                return INVALID_HANDLE_VALUE;
            }
            s_loaded[name] = module;
        }
        bool resident = std::find(s_resident.begin(), s_resident.end(), module) != s_resident.end();
        if ((flags & FILE_FLAG_DELETE_ON_CLOSE) == 0 && !resident) {
            s_resident.push_back(module);
        }
    }
    SetLastError(ERROR_SUCCESS);
    return insert_handle(std::make_shared<DeviceObject>(std::move(module)));
}

} // namespace vorn::kernel

BOOL WINAPI DeviceIoControl(HANDLE device, DWORD ioControlCode, LPVOID inBuffer, DWORD inSize,
                            LPVOID outBuffer, DWORD outSize, LPDWORD bytesReturned, LPOVERLAPPED) {
    auto object = vorn::kernel::find_handle_as<vorn::kernel::DeviceObject>(device);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::uint32_t returned = 0;
    int ok =
        object->module().control(ioControlCode, inBuffer, inSize, outBuffer, outSize, &returned);
    if (bytesReturned != nullptr) {
        *bytesReturned = returned;
    }
    if (ok == 0) {
        SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    return TRUE;
}
