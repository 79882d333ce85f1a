#include "user/modal.h"

#include <algorithm>
#include <vector>

#include "user/view.h"
#include "user/window.h"

namespace vorn::user {

namespace {

std::vector<HWND> s_modalStack;
bool s_abandoned = false;

void end_as_cancelled(Window& window) {
    if (window.ended) {
        return;
    }
    window.ended = true;
    if (window.windowClass == WindowClass::dialog) {
        window.endCode = IDCANCEL;
        return;
    }
    const UINT buttons = window.style & MB_TYPEMASK;
    window.endCode = buttons == MB_OK ? IDOK : buttons == MB_YESNO ? IDNO : IDCANCEL;
}

} // namespace

void push_modal(HWND window) {
    s_modalStack.push_back(window);
}

void pop_modal(HWND window) {
    std::erase(s_modalStack, window);
    if (s_modalStack.empty()) {
        s_abandoned = false;
    }
}

HWND innermost_modal() {
    return s_modalStack.empty() ? nullptr : s_modalStack.back();
}

bool abandoned() {
    return s_abandoned;
}

void end_all_modal() {
    for (HWND handle : s_modalStack) {
        if (Window* window = find_window(handle)) {
            end_as_cancelled(*window);
        }
    }
}

void run_modal_loop(HWND handle) {
    View* view = current_view();
    for (;;) {
        Window* window = find_window(handle);
        if (!window || window->ended) {
            return;
        }
        if (s_abandoned || !view) {
            end_as_cancelled(*window);
            return;
        }
        if (!view->step()) {
            s_abandoned = true;
            end_all_modal();
        }
    }
}

} // namespace vorn::user
