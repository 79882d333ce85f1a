// A real terminal for a test: a tmux server of its own (its own socket file), one pane of a
// fixed size running a plain shell, keys and raw bytes sent to it, the screen read back.
// Every wait polls the screen or a file with a bounded deadline.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "keymgrd_fixture.h"

namespace vorn::test {

// Generous: a sanitizer build draws slowly.
constexpr int kScreenWaitMs = 30000;

inline bool tmux_available() {
    return access("/usr/bin/tmux", X_OK) == 0;
}

class TmuxSession {
public:
    TmuxSession(const std::string& socket, int columns, int rows,
                const std::map<std::string, std::string>& environment)
        : m_socket(socket) {
        std::vector<std::string> command = {"/usr/bin/tmux",
                                            "-S",
                                            m_socket,
                                            "-f",
                                            "/dev/null",
                                            "new-session",
                                            "-d",
                                            "-x",
                                            std::to_string(columns),
                                            "-y",
                                            std::to_string(rows),
                                            "env"};
        for (const auto& [key, value] : environment) {
            command.push_back(key + "=" + value);
        }
        command.insert(command.end(), {"PS1=vorn> ", "/bin/bash", "--norc", "--noprofile"});
        m_started = run_program(command).status == 0;
    }
    ~TmuxSession() {
        tmux({"kill-server"});
        std::filesystem::remove(m_socket);
    }
    TmuxSession(const TmuxSession&) = delete;
    TmuxSession& operator=(const TmuxSession&) = delete;

    bool started() const { return m_started; }

    ProgramOutput tmux(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), {"/usr/bin/tmux", "-S", m_socket});
        return run_program(arguments);
    }
    // Key names as tmux knows them (Enter, Escape, Tab, BTab, Up, F1, M-p, ...).
    void keys(const std::vector<std::string>& names) const {
        std::vector<std::string> arguments = {"send-keys"};
        arguments.insert(arguments.end(), names.begin(), names.end());
        tmux(arguments);
    }
    // Text, or raw terminal input such as a mouse report, exactly as given.
    void literal(const std::string& text) const { tmux({"send-keys", "-l", text}); }
    // A mouse report in SGR form at a 0-based cell.
    void mouse(int button, int column, int row, bool press = true) const {
        literal("\033[<" + std::to_string(button) + ";" + std::to_string(column + 1) + ";" +
                std::to_string(row + 1) + (press ? "M" : "m"));
    }
    void click(int column, int row) const {
        mouse(0, column, row, true);
        mouse(0, column, row, false);
    }
    void move_to(int column, int row) const { mouse(35, column, row); }

    std::string screen() const { return tmux({"capture-pane", "-p"}).out; }
    std::string format(const std::string& text) const {
        std::string value = tmux({"display-message", "-p", text}).out;
        while (!value.empty() && value.back() == '\n') {
            value.pop_back();
        }
        return value;
    }

    // Polls the screen until it holds the text; false when it never did.
    bool wait_for(const std::string& text) const {
        return wait_until([&] { return screen().find(text) != std::string::npos; });
    }
    bool wait_gone(const std::string& text) const {
        return wait_until([&] { return screen().find(text) == std::string::npos; });
    }
    static bool wait_until(const std::function<bool()>& done) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kScreenWaitMs);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    // Where a text starts on the screen (0-based column and row); false when absent.
    bool find(const std::string& text, int& column, int& row) const {
        const std::string shown = screen();
        std::size_t start = 0;
        for (row = 0; start < shown.size(); ++row) {
            std::size_t end = shown.find('\n', start);
            const std::string line = shown.substr(start, end - start);
            if (const std::size_t at = line.find(text); at != std::string::npos) {
                column = static_cast<int>(at);
                return true;
            }
            if (end == std::string::npos) {
                break;
            }
            start = end + 1;
        }
        return false;
    }

private:
    std::string m_socket;
    bool m_started = false;
};

} // namespace vorn::test
