// A key manager, a tmux pane with a shell, and vornconfig run in it as a person would:
// each run leaves its exit status and the terminal's settings afterwards in files.
#pragma once

#include <algorithm>
#include <csignal>
#include <fstream>
#include <sstream>

#include "tmux_session.h"
#include "tolvak32.h"

namespace vorn::test {

class TerminalTest : public KeymgrdTest {
protected:
    static constexpr int kColumns = 100;
    static constexpr int kRows = 30;

    void SetUp() override {
        if (!tmux_available()) {
            GTEST_SKIP() << "tmux is not installed (Debian package tmux): no terminal to drive";
        }
        KeymgrdTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        m_session = std::make_unique<TmuxSession>(
            root() + "/tmux.sock", kColumns, kRows,
            std::map<std::string, std::string>{{"VORN_ROOT", root()},
                                               {"VORN_DRIVER_PATH", driver_path()},
                                               {"VORN_KEYMGR_SOCKET", socket_path()},
                                               {"VORN_QMDXSC32", QMDXSC32_PATH},
                                               {"VORN_UI", "terminal"},
                                               {"TERM", "screen"}});
        ASSERT_TRUE(m_session->started()) << "tmux did not start a session";
        ASSERT_TRUE(m_session->wait_for("vorn>")) << m_session->screen();
    }

    void TearDown() override {
        m_session.reset();
        KeymgrdTest::TearDown();
    }

    TmuxSession& pane() { return *m_session; }

    // Starts vornconfig with the arguments in the pane; its standard output goes to a file.
    // A script runs it, so a signal that ends vornconfig does not stop what follows.
    void start(const std::string& arguments) {
        const std::string at = root() + "/";
        std::ofstream(at + "run.sh") << "bash -c 'echo $$ > " << at << "pid; exec " << VORNCONFIG
                                     << " " << arguments << "' > " << at << "out.txt\n"
                                     << "echo $? > " << at << "status.tmp\n"
                                     << "stty -a > " << at << "stty.txt\n"
                                     << "mv " << at << "status.tmp " << at << "status.txt\n";
        pane().literal("bash " + at + "run.sh");
        pane().keys({"Enter"});
    }

    // Waits for the run to end; its exit status, or -1 when it did not end in time.
    int finish() {
        const std::string status = root() + "/status.txt";
        if (!TmuxSession::wait_until([&] { return std::filesystem::exists(status); })) {
            ADD_FAILURE() << "vornconfig did not end; the screen:\n" << pane().screen();
            return -1;
        }
        return std::stoi(read(status));
    }

    pid_t running_pid() {
        const std::string file = root() + "/pid";
        TmuxSession::wait_until([&] { return !read(file).empty(); });
        return static_cast<pid_t>(std::stol("0" + read(file)));
    }

    std::string output() { return read(root() + "/out.txt"); }

    // The terminal is as a shell expects it: line mode and echo on, the normal screen, no
    // mouse reports.
    void expect_terminal_sane() {
        std::string settings = " " + read(root() + "/stty.txt") + " ";
        std::replace(settings.begin(), settings.end(), '\n', ' ');
        for (const char* flag : {"icanon", "echo", "icrnl", "isig", "opost"}) {
            EXPECT_NE(settings.find(std::string(" ") + flag + " "), std::string::npos)
                << flag << " is off:\n"
                << settings;
        }
        EXPECT_EQ(pane().format("#{alternate_on}"), "0");
        EXPECT_EQ(pane().format("#{mouse_any_flag}"), "0");
        EXPECT_EQ(pane().format("#{mouse_sgr_flag}"), "0");
    }

    void set_password(const char* password) {
        kmi_osT_ os{{-1, 0, 0}};
        keymgr_cli client(20, os);
        ASSERT_EQ(client.passwordSet(0, password, ""), KMI_OK);
    }

    static std::string read(const std::string& path) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    std::unique_ptr<TmuxSession> m_session;
};

} // namespace vorn::test
