// A script for the dialogs of a test and the transcript they leave, under a test root.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class DialogScript {
public:
    explicit DialogScript(std::string root) : m_root(std::move(root)) {}

    void set(const std::string& text) const {
        std::ofstream(m_root + "/script") << text;
        setenv("VORN_UI", ("script:" + m_root + "/script").c_str(), 1);
        setenv("VORN_UI_TRANSCRIPT", (m_root + "/transcript").c_str(), 1);
    }

    std::vector<std::string> lines() const {
        std::ifstream in(m_root + "/transcript");
        std::vector<std::string> result;
        for (std::string line; std::getline(in, line);) {
            result.push_back(line);
        }
        return result;
    }

    std::string text() const {
        std::string all;
        for (const auto& line : lines()) {
            all += line + "\n";
        }
        return all;
    }

    // The dumped states of control id, in order.
    std::vector<std::string> states(int id) const {
        std::vector<std::string> found;
        const std::string prefix = "state " + std::to_string(id) + " ";
        for (const auto& line : lines()) {
            if (line.rfind(prefix, 0) == 0) {
                found.push_back(line);
            }
        }
        return found;
    }

    int count(const std::string& prefix) const {
        int found = 0;
        for (const auto& line : lines()) {
            found += line.rfind(prefix, 0) == 0;
        }
        return found;
    }

    int find(const std::string& prefix, int from = 0) const {
        const auto all = lines();
        for (int i = from; i < static_cast<int>(all.size()); ++i) {
            if (all[static_cast<std::size_t>(i)].rfind(prefix, 0) == 0) {
                return i;
            }
        }
        return -1;
    }

private:
    std::string m_root;
};
