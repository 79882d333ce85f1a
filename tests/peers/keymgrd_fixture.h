// Starts and stops the real keymgrd for tests that need a key manager.
//
// Link the test with the CMake target keymgrd_fixture (it carries the path of the built
// keymgrd) and derive from KeymgrdTest, or use a Keymgrd directly:
//
//   class LoginTest : public vorn::test::KeymgrdTest {};
//   TEST_F(LoginTest, ...) { ... keymgrd().stop(); ... }
//
// KeymgrdTest gives every test a fresh temporary root with VORN_ROOT, VORN_DRIVER_PATH and
// VORN_KEYMGR_SOCKET pointing into it, and a keymgrd serving <root>/run/keymgr.sock with
// its state in <root>/keymgr. TempRootTest is the same without the service.
#pragma once

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#ifndef VORN_KEYMGRD_PATH
#error "link the test with the keymgrd_fixture target"
#endif

namespace vorn::test {

// Generous: a sanitizer build starts slowly.
constexpr int kKeymgrdWaitMs = 30000;

struct ProgramOutput {
    int status = -1; // the exit status, or -1 when it did not exit normally
    std::string out;
};

namespace detail {

inline long long now_ms() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

enum class ReadEnd { stopped, end_of_file, timed_out };

// Reads fd into text until stop(text) holds or end of file, within the deadline.
template <typename Stop>
ReadEnd read_until(int fd, std::string& text, long long deadline, Stop stop) {
    while (!stop(text)) {
        long long left = deadline - now_ms();
        pollfd watched{fd, POLLIN, 0};
        if (left <= 0 || poll(&watched, 1, static_cast<int>(left)) == 0) {
            return ReadEnd::timed_out;
        }
        char buffer[4096];
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return ReadEnd::end_of_file;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return ReadEnd::stopped;
}

inline bool never(const std::string&) {
    return false;
}

// Starts argv with its standard output on a pipe; returns the pid, -1 on failure.
inline pid_t spawn(const std::vector<std::string>& arguments, int& output) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    int pipe_fds[2];
    if (pipe2(pipe_fds, O_CLOEXEC) != 0) {
        return -1;
    }
    pid_t pid = fork();
    if (pid == 0) {
        dup2(pipe_fds[1], STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(pipe_fds[1]);
    if (pid < 0) {
        close(pipe_fds[0]);
        return -1;
    }
    output = pipe_fds[0];
    return pid;
}

// Collects the rest of pid's output until it exits (its end of output); kills it when
// that has not come by the deadline. Returns the exit status, -1 when killed by a signal.
inline int reap(pid_t pid, int output, std::string& text, long long deadline) {
    if (read_until(output, text, deadline, never) == ReadEnd::timed_out) {
        ADD_FAILURE() << "process " << pid << " did not end in time; killed";
        kill(pid, SIGKILL);
    }
    close(output);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace detail

// Runs a program to its end (bounded) and collects its standard output.
inline ProgramOutput run_program(const std::vector<std::string>& arguments) {
    ProgramOutput result;
    int output = -1;
    pid_t pid = detail::spawn(arguments, output);
    if (pid < 0) {
        return result;
    }
    result.status = detail::reap(pid, output, result.out, detail::now_ms() + kKeymgrdWaitMs);
    return result;
}

// One keymgrd process on a socket and a state directory.
class Keymgrd {
public:
    Keymgrd(std::string socketPath, std::string stateDir)
        : m_socket(std::move(socketPath)), m_state(std::move(stateDir)) {}
    ~Keymgrd() { stop(); }
    Keymgrd(const Keymgrd&) = delete;
    Keymgrd& operator=(const Keymgrd&) = delete;

    // Starts it and waits until it serves; false (with its exit status in
    // last_status()) when it stopped instead.
    bool start() {
        if (m_pid > 0) {
            return true;
        }
        m_pid =
            detail::spawn({VORN_KEYMGRD_PATH, "--socket", m_socket, "--state", m_state}, m_output);
        if (m_pid < 0) {
            return false;
        }
        // keymgrd announces itself once its socket listens; end of output means it gave up.
        std::string text;
        detail::ReadEnd end = detail::read_until(
            m_output, text, detail::now_ms() + kKeymgrdWaitMs,
            [](const std::string& t) { return t.find('\n') != std::string::npos; });
        if (end != detail::ReadEnd::stopped || text.rfind("keymgrd: serving ", 0) != 0 ||
            !accepts()) {
            stop();
            return false;
        }
        return true;
    }

    // SIGTERM and wait (bounded); true when it ended cleanly. Does nothing when stopped.
    bool stop() {
        if (m_pid <= 0) {
            return m_lastStatus == 0;
        }
        kill(m_pid, SIGTERM);
        std::string rest;
        m_lastStatus = detail::reap(m_pid, m_output, rest, detail::now_ms() + kKeymgrdWaitMs);
        m_pid = -1;
        m_output = -1;
        return m_lastStatus == 0;
    }

    bool running() const { return m_pid > 0; }
    int last_status() const { return m_lastStatus; }
    const std::string& socket_path() const { return m_socket; }
    const std::string& state_dir() const { return m_state; }

    // keymgrd --state DIR --show
    ProgramOutput show() const {
        return run_program({VORN_KEYMGRD_PATH, "--state", m_state, "--show"});
    }

    bool accepts() const {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (m_socket.size() >= sizeof address.sun_path) {
            return false;
        }
        std::memcpy(address.sun_path, m_socket.c_str(), m_socket.size() + 1);
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        bool connected = fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&address),
                                            sizeof address) == 0;
        if (fd >= 0) {
            close(fd);
        }
        return connected;
    }

private:
    std::string m_socket;
    std::string m_state;
    pid_t m_pid = -1;
    int m_output = -1;
    int m_lastStatus = -1;
};

// A fresh temporary root per test, with VORN_ROOT, VORN_DRIVER_PATH and
// VORN_KEYMGR_SOCKET (nothing listens there yet) pointing into it.
class TempRootTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vorn-keymgr-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr) << std::strerror(errno);
        m_root = pattern;
        setenv("VORN_ROOT", m_root.c_str(), 1);
        setenv("VORN_DRIVER_PATH", driver_path().c_str(), 1);
        setenv("VORN_KEYMGR_SOCKET", socket_path().c_str(), 1);
    }

    void TearDown() override {
        std::error_code ignored;
        if (!m_root.empty()) {
            std::filesystem::remove_all(m_root, ignored);
        }
    }

    // Where driver modules are looked for; none by default.
    virtual std::string driver_path() const { return m_root + "/drivers"; }

    const std::string& root() const { return m_root; }
    std::string socket_path() const { return m_root + "/run/keymgr.sock"; }

private:
    std::string m_root;
};

// TempRootTest with a keymgrd serving socket_path(), its state in <root>/keymgr.
class KeymgrdTest : public TempRootTest {
protected:
    void SetUp() override {
        TempRootTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        m_keymgrd = std::make_unique<Keymgrd>(socket_path(), root() + "/keymgr");
        ASSERT_TRUE(m_keymgrd->start()) << "keymgrd did not start";
    }

    void TearDown() override {
        m_keymgrd.reset();
        TempRootTest::TearDown();
    }

    Keymgrd& keymgrd() { return *m_keymgrd; }

private:
    std::unique_ptr<Keymgrd> m_keymgrd;
};

} // namespace vorn::test
