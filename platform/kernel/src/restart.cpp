// The safe restart: a request is written down, never carried out, unless the machine's
// owner named the command that carries it out in VORN_RESTART_COMMAND.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "kernel/locked_file.h"
#include "kernel/paths.h"
#include "kernel/privileges.h"
#include "win32/restart.h"

extern char** environ;

namespace {

std::string request_line(UINT flags) {
    const char* action = (flags & EWX_POWEROFF) != 0   ? "poweroff"
                         : (flags & EWX_REBOOT) != 0   ? "reboot"
                         : (flags & EWX_SHUTDOWN) != 0 ? "shutdown"
                                                       : "logoff";
    std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%SZ", &utc);
    char line[256];
    std::snprintf(line, sizeof line, "%s %s%s flags=0x%X pid=%d shutdown-privilege=%s", when,
                  action, (flags & EWX_FORCE) != 0 ? " force" : "", flags,
                  static_cast<int>(::getpid()),
                  vorn::kernel::privilege_enabled("SeShutdownPrivilege") ? "enabled" : "disabled");
    return line;
}

BOOL run_restart_command(const char* command, const std::string& request) {
    if (::setenv("VORN_RESTART_REQUEST", request.c_str(), 1) != 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    const char* argv[] = {"/bin/sh", "-c", command, nullptr};
    pid_t child = 0;
    if (::posix_spawn(&child, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) !=
        0) {
        SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    return TRUE;
}

} // namespace

BOOL WINAPI ExitWindowsEx(UINT flags, DWORD) {
    std::string request = request_line(flags);
    const char* command = std::getenv("VORN_RESTART_COMMAND");
    if (command != nullptr && *command != '\0') {
        return run_restart_command(command, request);
    }
    if (!vorn::kernel::append_locked(vorn::kernel::root_directory() + "/restart-requests",
                                     request + '\n')) {
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
