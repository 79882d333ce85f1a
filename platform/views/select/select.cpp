// The choice of view from VORN_UI: script:<file>, terminal, gtk or none. Unset: the
// desktop view where it is built and a display is present, else the terminal view where
// standard input is a terminal, else none.
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "views/script_view.h"
#include "views/terminal_view.h"

namespace {

// The views this build has besides the script view.
constexpr bool kHaveTerminalView = true;
constexpr bool kHaveDesktopView = false;

const char* default_choice() {
    if (kHaveDesktopView && std::getenv("DISPLAY")) {
        return "gtk";
    }
    if (kHaveTerminalView && isatty(STDIN_FILENO)) {
        return "terminal";
    }
    return "none";
}

} // namespace

extern "C" vorn::user::View* vorn_create_view(const char* choice) {
    if (!choice || !*choice) {
        choice = default_choice();
    }
    if (std::strncmp(choice, "script:", 7) == 0) {
        const char* transcript = std::getenv("VORN_UI_TRANSCRIPT");
        return vorn::views::make_script_view(choice + 7, transcript ? transcript : "").release();
    }
    // Without a terminal to draw on, no dialog can be shown: it is not created at all.
    if (std::strcmp(choice, "terminal") == 0 && isatty(STDIN_FILENO)) {
        return vorn::views::make_terminal_view().release();
    }
    // "gtk" where it is not built, "none" and anything unknown: no view.
    return nullptr;
}
