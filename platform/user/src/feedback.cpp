// Beeps, the cursor shape and help requests: things a person notices, shown by the view.
#include "user/view.h"

namespace {

HCURSOR cursor_handle(unsigned id) {
    return reinterpret_cast<HCURSOR>(static_cast<std::uintptr_t>(id));
}

const HCURSOR s_arrow = cursor_handle(32512);
const HCURSOR s_wait = cursor_handle(32514);
HCURSOR s_current = s_arrow;

} // namespace

BOOL WINAPI MessageBeep(UINT type) {
    if (vorn::user::View* view = vorn::user::current_view()) {
        view->beep(type);
    }
    return TRUE;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE module, LPCSTR name) {
    const auto id = reinterpret_cast<std::uintptr_t>(name);
    if (module || (id != 32512 && id != 32514)) {
        return nullptr;
    }
    return cursor_handle(static_cast<unsigned>(id));
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
    const HCURSOR previous = s_current;
    if (!cursor) {
        cursor = s_arrow;
    }
    if (cursor != s_current) {
        s_current = cursor;
        if (vorn::user::View* view = vorn::user::current_view()) {
            view->cursor_changed(cursor == s_wait);
        }
    }
    return previous;
}

BOOL WINAPI WinHelpA(HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data) {
    if (vorn::user::View* view = vorn::user::current_view()) {
        view->help_shown(window, command, data);
    }
    return TRUE;
}
