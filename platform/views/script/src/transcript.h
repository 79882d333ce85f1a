// The transcript: one line per event, appended to a file (or standard error).
#pragma once

#include <cstdio>
#include <string>

namespace vorn::views {

class Transcript {
public:
    explicit Transcript(const std::string& path);
    ~Transcript();
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;

    void write(const std::string& line);

private:
    std::FILE* m_file;
};

} // namespace vorn::views
