// QMDXSC32 as vornconfig finds and loads it.
#pragma once

#include <string>

namespace vornconfig {

class Library {
public:
    // VORN_QMDXSC32, else ../lib/libqmdxsc32.so beside this program.
    static std::string default_path();

    explicit Library(const std::string& path);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool loaded() const { return m_handle != nullptr; }
    const std::string& error() const { return m_error; }
    // The export's address, or null.
    void* entry(const char* name) const;

private:
    void* m_handle;
    std::string m_error;
};

} // namespace vornconfig
