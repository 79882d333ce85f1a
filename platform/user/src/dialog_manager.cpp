#include "user/dialog_manager.h"

#include <cctype>

#include "user/controls.h"
#include "user/modal.h"
#include "user/resources.h"
#include "user/view.h"

namespace vorn::user {

namespace {

WindowClass class_of(const char* name) {
    const std::string lower = [&] {
        std::string text = name ? name : "";
        for (char& c : text) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return text;
    }();
    if (lower == "edit") {
        return WindowClass::edit;
    }
    if (lower == "button") {
        return WindowClass::button;
    }
    if (lower == "combobox") {
        return WindowClass::combo_box;
    }
    if (lower == "syslistview32") {
        return WindowClass::list_view;
    }
    return WindowClass::static_text;
}

// Dialog units to pixels with the base units of the dialog font (6 x 13).
RECT pixels(int x, int y, int cx, int cy) {
    return RECT{x * 6 / 4, y * 13 / 8, (x + cx) * 6 / 4, (y + cy) * 13 / 8};
}

LRESULT dialog_window_procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* dialog = find_window(handle);
    if (dialog->dialogProc && dialog->dialogProc(handle, message, wParam, lParam)) {
        return TRUE;
    }
    return DefDlgProcA(handle, message, wParam, lParam);
}

Window& build_dialog(const DialogTemplate& form, HWND owner) {
    Window& dialog = create_window(WindowClass::dialog, nullptr);
    dialog.id = form.id;
    dialog.templateId = form.id;
    dialog.text = form.caption ? form.caption : "";
    dialog.style = form.style | WS_VISIBLE;
    dialog.exStyle = form.exStyle;
    dialog.rect = pixels(0, 0, form.cx, form.cy);
    dialog.owner = owner;
    dialog.proc = dialog_window_procedure;
    const HWND handle = dialog.handle;
    for (int i = 0; i < form.controlCount; ++i) {
        const ControlTemplate& item = form.controls[i];
        Window& control = create_window(class_of(item.className), handle);
        control.id = item.id;
        control.text = item.text ? item.text : "";
        control.style = item.style | WS_CHILD;
        control.exStyle = item.exStyle;
        control.rect = pixels(item.x, item.y, item.cx, item.cy);
        control.proc = control_procedure(control.windowClass);
    }
    return *find_window(handle);
}

// Ends the dialog's life however DialogBoxParamA is left, exceptions included.
struct DialogLife {
    HWND dialog;
    HWND owner;
    ~DialogLife() {
        if (Window* window = find_window(dialog)) {
            SendMessageA(dialog, WM_DESTROY, 0, 0);
            destroy_window(window->handle);
        }
        pop_modal(dialog);
        if (owner) {
            EnableWindow(owner, TRUE);
        }
    }
};

} // namespace

HWND next_tab_stop(const Window& dialog, bool backwards) {
    const auto& children = dialog.children;
    const int count = static_cast<int>(children.size());
    int at = -1;
    for (int i = 0; i < count; ++i) {
        if (children[static_cast<std::size_t>(i)] == dialog.focus) {
            at = i;
        }
    }
    for (int step = 1; step <= count; ++step) {
        int index = backwards ? at - step : at + step;
        index = ((index % count) + count) % count;
        const Window* candidate = find_window(children[static_cast<std::size_t>(index)]);
        if (candidate && (candidate->style & WS_TABSTOP) && candidate->enabled() &&
            candidate->visible()) {
            return candidate->handle;
        }
    }
    return nullptr;
}

void focus_as_dialog_manager(HWND control) {
    SetFocus(control);
    Window* window = find_window(control);
    Window* dialog = window ? find_window(window->parent) : nullptr;
    if (dialog && dialog->focus == control && window->windowClass == WindowClass::edit) {
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
}

void press_button(Window& button) {
    const HWND handle = button.handle;
    SetFocus(handle);
    if (Window* pressed = find_window(handle)) {
        notify_parent(*pressed, BN_CLICKED);
    }
}

} // namespace vorn::user

using vorn::user::find_window;
using vorn::user::Window;

INT_PTR WINAPI DialogBoxParamA(HINSTANCE module, LPCSTR templateName, HWND owner,
                               DLGPROC dialogProc, LPARAM initParam) {
    vorn::user::View* view = vorn::user::current_view();
    const auto id = reinterpret_cast<std::uintptr_t>(templateName);
    const vorn::user::DialogTemplate* form =
        id <= 0xFFFF
            ? vorn::user::find_dialog(vorn::user::module_resources(module), static_cast<int>(id))
            : nullptr;
    if (!view || !form) {
        return -1;
    }
    if (!owner) {
        owner = GetActiveWindow();
    }
    Window& dialog = vorn::user::build_dialog(*form, owner);
    const HWND handle = dialog.handle;
    vorn::user::push_modal(handle);
    if (owner) {
        EnableWindow(owner, FALSE);
    }
    const vorn::user::DialogLife life{handle, owner};

    dialog.dialogProc = dialogProc;
    const HWND first = vorn::user::next_tab_stop(dialog, false);
    const INT_PTR wantsFocus =
        dialogProc ? dialogProc(handle, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam)
                   : TRUE;
    Window* built = find_window(handle);
    if (wantsFocus && !built->ended) {
        if (HWND target = vorn::user::next_tab_stop(*built, false)) {
            vorn::user::focus_as_dialog_manager(target);
        }
    }
    built->shown = true;
    view->dialog_opened(handle);
    if (built->focus) {
        view->focus_changed(built->focus);
    }
    vorn::user::run_modal_loop(handle);
    const INT_PTR code = find_window(handle)->endCode;
    view->dialog_closed(handle, code);
    return code;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
    Window* window = find_window(dialog);
    if (!window || window->windowClass != vorn::user::WindowClass::dialog) {
        return FALSE;
    }
    if (!window->ended) {
        window->ended = true;
        window->endCode = result;
    }
    return TRUE;
}

LRESULT WINAPI DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = find_window(dialog);
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            return SendMessageA(dialog, WM_CLOSE, 0, 0);
        }
        return 0;
    case WM_CLOSE: {
        // The close box is the Cancel button, whether or not the dialog has one.
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        return SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                            reinterpret_cast<LPARAM>(cancel));
    }
    case DM_GETDEFID:
        for (HWND child : window->children) {
            const Window* control = find_window(child);
            if (control && control->default_button()) {
                return MAKELPARAM(control->id, DC_HASDEFID);
            }
        }
        return MAKELPARAM(IDOK, DC_HASDEFID);
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        return DefWindowProcA(dialog, message, wParam, lParam);
    default:
        return 0;
    }
}
