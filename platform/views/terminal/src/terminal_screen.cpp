#include "views/terminal_screen.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <curses.h>
#include <unistd.h>

namespace vorn::views {

namespace {

// Any-event mouse tracking with SGR coordinates, and its undoing.
constexpr char kMouseOn[] = "\033[?1003h\033[?1006h";
constexpr char kMouseOff[] = "\033[?1006l\033[?1003l";

constexpr int kFatalSignals[] = {SIGINT,  SIGTERM, SIGHUP, SIGQUIT,
                                 SIGSEGV, SIGABRT, SIGBUS, SIGFPE};
constexpr std::size_t kSignalCount = sizeof kFatalSignals / sizeof kFatalSignals[0];

SCREEN* s_screen = nullptr;
std::FILE* s_output = nullptr;
bool s_ownOutput = false; // opened /dev/tty ourselves
struct sigaction s_previous[kSignalCount];
bool s_exitHookSet = false;

void write_all(int fd, const char* text) {
    std::size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t done = ::write(fd, text, left);
        if (done <= 0) {
            return;
        }
        text += done;
        left -= static_cast<std::size_t>(done);
    }
}

void restore_signals() {
    for (std::size_t i = 0; i < kSignalCount; ++i) {
        sigaction(kFatalSignals[i], &s_previous[i], nullptr);
    }
}

// Gives the terminal back; safe to call more than once.
void give_back() {
    if (!s_screen) {
        return;
    }
    SCREEN* screen = s_screen;
    s_screen = nullptr;
    std::fflush(s_output);
    write_all(fileno(s_output), kMouseOff);
    set_term(screen);
    endwin();
    delscreen(screen);
    restore_signals();
    if (s_ownOutput) {
        std::fclose(s_output);
    }
    s_output = nullptr;
    s_ownOutput = false;
}

void on_fatal_signal(int signal) {
    std::size_t index = 0;
    while (index < kSignalCount && kFatalSignals[index] != signal) {
        ++index;
    }
    const struct sigaction previous = s_previous[index];
    give_back();
    // The signal goes on as if we had never caught it.
    sigaction(signal, &previous, nullptr);
    raise(signal);
}

void catch_signals() {
    struct sigaction action {};
    action.sa_handler = on_fatal_signal;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kSignalCount; ++i) {
        sigaction(kFatalSignals[i], &action, &s_previous[i]);
    }
}

void at_exit() {
    give_back();
}

} // namespace

bool TerminalScreen::open() {
    if (s_screen) {
        return true;
    }
    if (!isatty(STDIN_FILENO)) {
        return false;
    }
    // Results may go to a file while the dialogs are drawn on the terminal.
    s_output = stdout;
    s_ownOutput = false;
    if (!isatty(STDOUT_FILENO)) {
        s_output = std::fopen("/dev/tty", "w");
        if (!s_output) {
            return false;
        }
        s_ownOutput = true;
    }
    // Ours before the screen is made, so that curses leaves these signals to us.
    catch_signals();
    const char* type = std::getenv("TERM");
    s_screen = newterm(type && *type ? type : "xterm", s_output, stdin);
    if (!s_screen) {
        restore_signals();
        if (s_ownOutput) {
            std::fclose(s_output);
        }
        s_output = nullptr;
        return false;
    }
    if (!s_exitHookSet) {
        std::atexit(at_exit);
        s_exitHookSet = true;
    }
    set_term(s_screen);
    cbreak();
    noecho();
    nonl();
    intrflush(stdscr, FALSE);
    keypad(stdscr, FALSE); // the view reads the raw bytes, mouse reports included
    meta(stdscr, TRUE);
    if (has_colors()) {
        start_color();
        use_default_colors();
    }
    curs_set(0);
    std::fputs(kMouseOn, s_output);
    std::fflush(s_output);
    return true;
}

void TerminalScreen::close() {
    give_back();
}

bool TerminalScreen::is_open() {
    return s_screen != nullptr;
}

std::FILE* TerminalScreen::output() {
    return s_output;
}

} // namespace vorn::views
