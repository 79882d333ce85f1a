// The plain window functions over the model.
#include <algorithm>
#include <cstring>

#include "user/modal.h"
#include "user/view.h"
#include "user/window.h"

using vorn::user::find_window;
using vorn::user::Window;

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* target = find_window(window);
    if (!target || !target->proc) {
        return 0;
    }
    return target->proc(window, message, wParam, lParam);
}

BOOL WINAPI IsWindow(HWND window) {
    return find_window(window) ? TRUE : FALSE;
}

BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text) {
    return find_window(window) ? static_cast<BOOL>(SendMessageA(window, WM_SETTEXT, 0,
                                                                reinterpret_cast<LPARAM>(text)))
                               : FALSE;
}

int WINAPI GetWindowTextA(HWND window, LPSTR buffer, int size) {
    if (!buffer || size <= 0) {
        return 0;
    }
    buffer[0] = '\0';
    return static_cast<int>(SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(size),
                                         reinterpret_cast<LPARAM>(buffer)));
}

int WINAPI GetWindowTextLengthA(HWND window) {
    return static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI EnableWindow(HWND window, BOOL enable) {
    Window* target = find_window(window);
    if (!target) {
        return FALSE;
    }
    const BOOL wasDisabled = target->enabled() ? FALSE : TRUE;
    if (enable) {
        target->style &= ~WS_DISABLED;
    } else {
        target->style |= WS_DISABLED;
        // A disabled control cannot keep the focus.
        if (Window* dialog = find_window(target->parent); dialog && dialog->focus == window) {
            dialog->focus = nullptr;
        }
    }
    SendMessageA(window, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND window) {
    Window* target = find_window(window);
    return target && target->enabled() ? TRUE : FALSE;
}

BOOL WINAPI IsWindowVisible(HWND window) {
    Window* target = find_window(window);
    return target && target->visible() ? TRUE : FALSE;
}

HWND WINAPI GetActiveWindow() {
    return vorn::user::innermost_modal();
}

HWND WINAPI GetParent(HWND window) {
    Window* target = find_window(window);
    return target ? target->parent : nullptr;
}

HWND WINAPI GetDlgItem(HWND dialog, int id) {
    Window* parent = find_window(dialog);
    Window* child = parent ? vorn::user::child_by_id(*parent, id) : nullptr;
    return child ? child->handle : nullptr;
}

int WINAPI GetDlgCtrlID(HWND window) {
    Window* target = find_window(window);
    return target ? target->id : 0;
}

HWND WINAPI GetFocus() {
    Window* active = find_window(vorn::user::innermost_modal());
    return active ? active->focus : nullptr;
}

HWND WINAPI SetFocus(HWND window) {
    Window* target = find_window(window);
    Window* dialog = target ? find_window(target->parent) : nullptr;
    // Only a control of a dialog takes the focus, and only while it is enabled.
    if (!dialog || !target->enabled() || !target->visible()) {
        return nullptr;
    }
    HWND previous = dialog->focus;
    if (previous == window) {
        return previous;
    }
    dialog->focus = window;
    if (find_window(previous)) {
        SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    }
    SendMessageA(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    if (dialog->shown) {
        if (vorn::user::View* view = vorn::user::current_view()) {
            view->focus_changed(window);
        }
    }
    return previous;
}
