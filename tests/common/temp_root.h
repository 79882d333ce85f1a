// A fresh VORN_ROOT for one test, removed afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace vorn::testing {

class TempRoot {
public:
    TempRoot() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vorn-test-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
        ::setenv("VORN_ROOT", m_path.c_str(), 1);
        std::filesystem::create_directories(drive_c());
    }
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;
    ~TempRoot() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    const std::string& path() const { return m_path; }
    std::string drive_c() const { return m_path + "/drive_c"; }

    // Writes a file below the root (parents created) and returns its host path.
    std::string write(const std::string& relative, const std::string& contents) const {
        std::filesystem::path file = std::filesystem::path(m_path) / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << contents;
        return file.string();
    }

private:
    std::string m_path;
};

inline std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace vorn::testing
