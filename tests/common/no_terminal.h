// Standard input away from any terminal for a scope, so that a test about "no view"
// holds when the suite itself runs in a terminal (the terminal view would take it).
#pragma once

#include <fcntl.h>
#include <unistd.h>

namespace vorn::testing {

class NoTerminal {
public:
    NoTerminal() : m_saved(dup(STDIN_FILENO)) {
        const int nothing = open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (nothing >= 0) {
            dup2(nothing, STDIN_FILENO);
            close(nothing);
        }
    }
    ~NoTerminal() {
        if (m_saved >= 0) {
            dup2(m_saved, STDIN_FILENO);
            close(m_saved);
        }
    }
    NoTerminal(const NoTerminal&) = delete;
    NoTerminal& operator=(const NoTerminal&) = delete;

private:
    int m_saved;
};

} // namespace vorn::testing
