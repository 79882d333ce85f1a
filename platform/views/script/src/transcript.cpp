#include "transcript.h"

namespace vorn::views {

Transcript::Transcript(const std::string& path)
    : m_file(path.empty() ? nullptr : std::fopen(path.c_str(), "a")) {}

Transcript::~Transcript() {
    if (m_file) {
        std::fclose(m_file);
    }
}

void Transcript::write(const std::string& line) {
    std::FILE* out = m_file ? m_file : stderr;
    std::fputs(line.c_str(), out);
    std::fputc('\n', out);
    // Each line is on disk at once, so a reader sees it even if the process dies.
    std::fflush(out);
}

} // namespace vorn::views
