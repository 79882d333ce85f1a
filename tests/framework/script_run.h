// Runs dialogs from a script in a fresh VORN_ROOT and reads back the transcript.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

class ScriptRun : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vorn-dialogs-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        setenv("VORN_ROOT", m_root.c_str(), 1);
        setenv("VORN_DRIVER_PATH", VORN_TEST_DRIVER_DIR, 1);
        setenv("VORN_UI_TRANSCRIPT", (m_root + "/transcript").c_str(), 1);
    }

    void TearDown() override { std::system(("rm -rf '" + m_root + "'").c_str()); }

    // The script for every dialog the test then runs.
    void script(const std::string& text) {
        std::ofstream(m_root + "/script") << text;
        setenv("VORN_UI", ("script:" + m_root + "/script").c_str(), 1);
    }

    std::vector<std::string> transcript() const {
        std::ifstream in(m_root + "/transcript");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    std::string transcript_text() const {
        std::ostringstream out;
        for (const auto& line : transcript()) {
            out << line << '\n';
        }
        return out.str();
    }

    // The index of the first line starting with prefix at or after from, or -1.
    int find_line(const std::string& prefix, int from = 0) const {
        const auto lines = transcript();
        for (int i = from; i < static_cast<int>(lines.size()); ++i) {
            if (lines[static_cast<std::size_t>(i)].rfind(prefix, 0) == 0) {
                return i;
            }
        }
        return -1;
    }

    std::string m_root;
};
