// A fresh VORN_ROOT for one test, with helpers to lay out and read files on its drive C
// and to run the platform's programs as real processes.
#pragma once

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

extern char** environ;

namespace vorn::test {

class ScratchRoot {
public:
    ScratchRoot() {
        // No dash in the name: the uninstaller's "-c" must not occur in a path by chance.
        char pattern[] = "/tmp/vornscratchXXXXXX";
        const char* made = ::mkdtemp(pattern);
        if (made == nullptr) {
            ADD_FAILURE() << "mkdtemp failed";
            return;
        }
        m_root = made;
        ::setenv("VORN_ROOT", m_root.c_str(), 1);
        ::setenv("VORN_DRIVER_PATH", (m_root + "/drivers").c_str(), 1);
        ::unsetenv("VORN_RESTART_COMMAND");
        ::unsetenv("VORN_PLATFORM");
        ::unsetenv("VORN_CODEPAGE");
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            ::unsetenv((std::string("VORN_DRIVE_") + letter).c_str());
        }
        std::filesystem::create_directories(drive_c() + "/WINDOWS");
    }
    ScratchRoot(const ScratchRoot&) = delete;
    ScratchRoot& operator=(const ScratchRoot&) = delete;
    ~ScratchRoot() {
        std::error_code error;
        std::filesystem::remove_all(m_root, error);
    }

    const std::string& root() const { return m_root; }
    std::string drive_c() const { return m_root + "/drive_c"; }

    // The host path of a path on drive C written with forward slashes ("WINDOWS/X.INI").
    std::string on_c(const std::string& relative) const { return drive_c() + "/" + relative; }

    void write(const std::string& relative, const std::string& contents) const {
        std::filesystem::path path = on_c(relative);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << contents;
    }

    std::optional<std::string> read(const std::string& relative) const {
        return read_host(on_c(relative));
    }

    static std::optional<std::string> read_host(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            return std::nullopt;
        }
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    bool exists(const std::string& relative) const {
        return std::filesystem::exists(std::filesystem::symlink_status(on_c(relative)));
    }

private:
    std::string m_root;
};

struct ProgramRun {
    int status = -1; // the exit status, -1 when it did not exit normally
    std::string output;
};

// Runs a program with the test's environment and collects its standard output; a program
// that is still running after 30 seconds is killed and the run fails.
inline ProgramRun run_program(const std::string& program, const std::vector<std::string>& args) {
    ProgramRun run;
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        ADD_FAILURE() << "pipe failed";
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    int spawned = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        ADD_FAILURE() << "cannot start " << program;
        return run;
    }
    pollfd reader{pipeEnds[0], POLLIN, 0};
    for (;;) {
        int ready = ::poll(&reader, 1, 30000);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            ::kill(child, SIGKILL);
            ADD_FAILURE() << program << " did not finish";
            break;
        }
        char chunk[4096];
        ssize_t got = ::read(pipeEnds[0], chunk, sizeof chunk);
        if (got <= 0) {
            break;
        }
        run.output.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// A child process that holds a file open (share mode 0) until release() or destruction;
// the parent waits for the child's word that the file is open.
class ExclusiveHolder {
public:
    explicit ExclusiveHolder(const std::string& windowsPath) {
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) {
            ADD_FAILURE() << "pipe failed";
            return;
        }
        m_child = ::fork();
        if (m_child == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            HANDLE file = CreateFileA(windowsPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            char word = file != INVALID_HANDLE_VALUE ? 'y' : 'n';
            (void)::write(ready[1], &word, 1);
            char ignored = 0;
            // Ends when the parent closes its end, or dies.
            (void)::read(release[0], &ignored, 1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        m_release = release[1];
        char word = 'n';
        m_holding = m_child > 0 && ::read(ready[0], &word, 1) == 1 && word == 'y';
        ::close(ready[0]);
    }
    ExclusiveHolder(const ExclusiveHolder&) = delete;
    ExclusiveHolder& operator=(const ExclusiveHolder&) = delete;
    ~ExclusiveHolder() { release(); }

    bool holding() const { return m_holding; }

    void release() {
        if (m_child < 0) {
            return;
        }
        ::close(m_release);
        int status = 0;
        ::waitpid(m_child, &status, 0);
        m_child = -1;
        m_holding = false;
    }

private:
    pid_t m_child = -1;
    int m_release = -1;
    bool m_holding = false;
};

} // namespace vorn::test
