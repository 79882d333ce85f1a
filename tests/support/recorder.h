// The test's handle on the recording driver once the kernel has loaded it.
#pragma once

#include <dlfcn.h>
#include <stdexcept>

#include "recording_driver.h"

class Recorder {
public:
    // The module must already be loaded (by a first request).
    Recorder() {
        m_module = ::dlopen(RECORDING_DRIVER_DIR "/qmdxvorn.so", RTLD_NOW | RTLD_NOLOAD);
        if (m_module == nullptr) {
            throw std::runtime_error("the recording driver is not loaded");
        }
        last = symbol<RecordedRequest (*)()>("recorder_last");
        setReply = symbol<void (*)(int32_t)>("recorder_set_reply");
        setFailing = symbol<void (*)(int)>("recorder_set_failing");
        setProbe = symbol<void (*)(int (*)())>("recorder_set_probe");
        opens = symbol<int (*)()>("recorder_opens");
    }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;
    ~Recorder() { ::dlclose(m_module); }

    RecordedRequest (*last)() = nullptr;
    void (*setReply)(int32_t) = nullptr;
    void (*setFailing)(int) = nullptr;
    void (*setProbe)(int (*)()) = nullptr;
    int (*opens)() = nullptr;

private:
    template <typename T> T symbol(const char* name) {
        void* address = ::dlsym(m_module, name);
        if (address == nullptr) {
            throw std::runtime_error(name);
        }
        return reinterpret_cast<T>(address);
    }
    void* m_module;
};
