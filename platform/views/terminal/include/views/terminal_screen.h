// The terminal as a curses screen, taken and given back as a whole. Whoever takes it
// (the terminal view, a host's menu) gives it back on every way out: a normal close,
// process exit, and the fatal signals (the handler restores the terminal, then the
// signal goes on to do what it would have done).
#pragma once

#include <cstdio>

namespace vorn::views {

class TerminalScreen {
public:
    // Curses mode on the terminal, with any-event mouse reports; true when it is on.
    // False where there is no terminal to draw on.
    static bool open();
    // Back to the terminal as it was: mouse reports off, normal screen, line mode.
    static void close();
    static bool is_open();
    // The terminal the screen writes to.
    static std::FILE* output();
};

} // namespace vorn::views
