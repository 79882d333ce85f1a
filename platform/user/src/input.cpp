#include "user/input.h"

#include <algorithm>
#include <cctype>

#include "user/controls.h"
#include "user/dialog_manager.h"
#include "user/modal.h"
#include "user/pointer.h"
#include "user/view.h"
#include "user/window.h"

namespace vorn::user {

namespace {

InputResult fail(std::string why) {
    return InputResult{std::move(why)};
}

Window* dialog_window() {
    return find_window(active_dialog());
}

// The dialog's control, or why a person could not reach it.
Window* control(int id, InputResult& result) {
    if (message_box_open()) {
        result = fail("a message box is open");
        return nullptr;
    }
    Window* dialog = dialog_window();
    if (!dialog) {
        result = fail("no dialog is open");
        return nullptr;
    }
    Window* found = child_by_id(*dialog, id);
    if (!found || !found->visible()) {
        result = fail("no control " + std::to_string(id));
        return nullptr;
    }
    return found;
}

bool takes_mouse(const Window& window) {
    return window.visible() && window.enabled() && window.windowClass != WindowClass::static_text;
}

bool inside(const RECT& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// The control under a point that takes mouse input; static texts let it through to the
// dialog.
Window* mouse_target(const Window& dialog, int x, int y) {
    for (HWND child : dialog.children) {
        Window* window = find_window(child);
        if (window && takes_mouse(*window) && inside(window->rect, x, y)) {
            return window;
        }
    }
    return nullptr;
}

// A person's click on an edit: the focus, and the caret after the last character.
void click_edit(Window& edit) {
    const HWND handle = edit.handle;
    SetFocus(handle);
    if (Window* clicked = find_window(handle)) {
        clicked->selStart = clicked->selEnd = clicked->text.size();
    }
}

InputResult editable(int id, Window*& edit) {
    InputResult result;
    edit = control(id, result);
    if (!edit) {
        return result;
    }
    if (edit->windowClass != WindowClass::edit) {
        return fail("control " + std::to_string(id) + " is not an edit");
    }
    if (!edit->enabled() || (edit->style & ES_READONLY)) {
        return fail("edit " + std::to_string(id) + " takes no input");
    }
    Window* dialog = dialog_window();
    if (dialog->focus != edit->handle) {
        click_edit(*edit);
    }
    return result;
}

char mnemonic_of(const std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&') {
            if (text[i + 1] == '&') {
                ++i;
                continue;
            }
            return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
        }
    }
    return 0;
}

InputResult alt_letter(Window& dialog, char letter) {
    const char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    const auto& children = dialog.children;
    for (std::size_t i = 0; i < children.size(); ++i) {
        Window* window = find_window(children[i]);
        if (!window ||
            mnemonic_of(std::string_view(window->text.data(), window->text.size())) != wanted) {
            continue;
        }
        if (window->windowClass == WindowClass::button) {
            if (window->enabled()) {
                press_button(*window);
            }
            return {};
        }
        // A label's access key goes to the next control that takes the focus.
        for (std::size_t j = i + 1; j < children.size(); ++j) {
            Window* next = find_window(children[j]);
            if (next && (next->style & WS_TABSTOP) && next->enabled() && next->visible()) {
                focus_as_dialog_manager(next->handle);
                return {};
            }
        }
        return {};
    }
    return {};
}

void change_combo(Window& combo, int delta) {
    const int count = static_cast<int>(combo.items.size());
    if (count == 0) {
        return;
    }
    const int wanted = std::clamp(combo.selection + delta, 0, count - 1);
    if (wanted != combo.selection) {
        SendMessageA(combo.handle, CB_SETCURSEL, static_cast<WPARAM>(wanted), 0);
        notify_parent(combo, CBN_SELCHANGE);
    }
}

void press_enter(Window& dialog) {
    Window* focus = find_window(dialog.focus);
    if (focus && focus->windowClass == WindowClass::button) {
        press_button(*focus);
        return;
    }
    const auto defId = static_cast<int>(LOWORD(SendMessageA(dialog.handle, DM_GETDEFID, 0, 0)));
    Window* button = child_by_id(dialog, defId);
    if (!button) {
        SendMessageA(dialog.handle, WM_COMMAND,
                     MAKEWPARAM(static_cast<unsigned>(defId), BN_CLICKED), 0);
        return;
    }
    // The default button decides even when it is greyed: then Enter does nothing.
    if (button->enabled() && button->visible()) {
        notify_parent(*button, BN_CLICKED);
    }
}

void send_help(const Window& dialog, HWND about, int id) {
    HELPINFO info{sizeof(HELPINFO), HELPINFO_WINDOW, id, about, 0, {0, 0}};
    SendMessageA(about, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    (void)dialog;
}

} // namespace

HWND active_dialog() {
    Window* window = find_window(innermost_modal());
    if (window && window->windowClass == WindowClass::message_box) {
        window = find_window(window->owner);
    }
    return window && window->windowClass == WindowClass::dialog ? window->handle : nullptr;
}

bool message_box_open() {
    Window* window = find_window(innermost_modal());
    return window && window->windowClass == WindowClass::message_box;
}

bool message_box_has(int button) {
    Window* box = find_window(innermost_modal());
    if (!box || box->windowClass != WindowClass::message_box) {
        return false;
    }
    switch (box->style & MB_TYPEMASK) {
    case MB_OK:
        return button == IDOK;
    case MB_OKCANCEL:
        return button == IDOK || button == IDCANCEL;
    case MB_YESNO:
        return button == IDYES || button == IDNO;
    case MB_YESNOCANCEL:
        return button == IDYES || button == IDNO || button == IDCANCEL;
    default:
        return false;
    }
}

InputResult click(int id) {
    InputResult result;
    Window* target = control(id, result);
    if (!target || !target->enabled()) {
        return result;
    }
    switch (target->windowClass) {
    case WindowClass::edit:
        click_edit(*target);
        break;
    case WindowClass::button:
        press_button(*target);
        break;
    case WindowClass::combo_box:
    case WindowClass::list_view:
        SetFocus(target->handle);
        break;
    default:
        break;
    }
    return result;
}

InputResult type_text(int id, const std::string& text) {
    Window* edit = nullptr;
    InputResult result = editable(id, edit);
    if (!result.ok()) {
        return result;
    }
    const HWND handle = edit->handle;
    for (char character : text) {
        Window* current = find_window(handle);
        if (!current || find_window(current->parent)->ended) {
            break;
        }
        if (edit_replace_selection(*current, std::string(1, character))) {
            notify_parent(*current, EN_CHANGE);
        }
    }
    return result;
}

InputResult paste_text(int id, const std::string& text) {
    Window* edit = nullptr;
    InputResult result = editable(id, edit);
    if (!result.ok()) {
        return result;
    }
    const std::size_t kept = edit->text.size() - (edit->selEnd - edit->selStart);
    const std::size_t room = edit->limit > kept ? edit->limit - kept : 0;
    const std::string inserted = text.substr(0, room);
    if (inserted.empty() && edit->selStart == edit->selEnd) {
        return result;
    }
    edit_replace_selection(*edit, inserted);
    notify_parent(*edit, EN_CHANGE);
    return result;
}

InputResult clear_text(int id) {
    Window* edit = nullptr;
    InputResult result = editable(id, edit);
    if (!result.ok() || edit->text.empty()) {
        return result;
    }
    wipe_text(edit->text);
    edit->selStart = edit->selEnd = 0;
    notify_parent(*edit, EN_CHANGE);
    return result;
}

InputResult erase_text(int id, bool forward) {
    Window* edit = nullptr;
    InputResult result = editable(id, edit);
    if (!result.ok()) {
        return result;
    }
    if (edit->selStart == edit->selEnd) {
        const std::size_t caret = std::min(edit->selEnd, edit->text.size());
        if (forward ? caret >= edit->text.size() : caret == 0) {
            return result;
        }
        edit->selStart = forward ? caret : caret - 1;
        edit->selEnd = forward ? caret + 1 : caret;
    }
    edit_replace_selection(*edit, "");
    notify_parent(*edit, EN_CHANGE);
    return result;
}

InputResult press_key(Key key, char letter) {
    if (message_box_open()) {
        // A message box answers Enter with its first button and Escape with Cancel (or OK).
        if (key == Key::enter) {
            return answer_message_box(message_box_has(IDOK) ? IDOK : IDYES);
        }
        if (key == Key::escape) {
            return answer_message_box(message_box_has(IDCANCEL) ? IDCANCEL
                                      : message_box_has(IDOK)   ? IDOK
                                                                : IDNO);
        }
        return fail("a message box is open");
    }
    Window* dialog = dialog_window();
    if (!dialog) {
        return fail("no dialog is open");
    }
    Window* focus = find_window(dialog->focus);
    switch (key) {
    case Key::enter:
        press_enter(*dialog);
        break;
    case Key::escape:
        SendMessageA(dialog->handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog->handle, IDCANCEL)));
        break;
    case Key::tab:
    case Key::shift_tab:
        if (HWND next = next_tab_stop(*dialog, key == Key::shift_tab)) {
            focus_as_dialog_manager(next);
        }
        break;
    case Key::f1:
        send_help(*dialog, focus ? focus->handle : dialog->handle, focus ? focus->id : dialog->id);
        break;
    case Key::space:
        if (focus && focus->windowClass == WindowClass::button) {
            press_button(*focus);
        } else if (focus && focus->windowClass == WindowClass::edit) {
            return type_text(focus->id, " ");
        }
        break;
    case Key::up:
    case Key::down:
        if (focus && focus->windowClass == WindowClass::combo_box) {
            change_combo(*focus, key == Key::up ? -1 : 1);
        }
        break;
    case Key::alt_letter:
        return alt_letter(*dialog, letter);
    }
    return {};
}

InputResult press_close() {
    if (message_box_open()) {
        return fail("a message box is open");
    }
    Window* dialog = dialog_window();
    if (!dialog) {
        return fail("no dialog is open");
    }
    if (!(dialog->style & WS_SYSMENU)) {
        return fail("the dialog has no close button");
    }
    SendMessageA(dialog->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    return {};
}

InputResult press_help() {
    if (message_box_open()) {
        return fail("a message box is open");
    }
    Window* dialog = dialog_window();
    if (!dialog) {
        return fail("no dialog is open");
    }
    if (!(dialog->exStyle & WS_EX_CONTEXTHELP) && !(dialog->style & DS_CONTEXTHELP)) {
        return fail("the dialog has no help button");
    }
    send_help(*dialog, dialog->handle, dialog->id);
    return {};
}

InputResult right_click(std::optional<int> id) {
    InputResult result;
    Window* dialog = message_box_open() ? nullptr : dialog_window();
    if (!dialog) {
        return fail(message_box_open() ? "a message box is open" : "no dialog is open");
    }
    HWND target = dialog->handle;
    if (id) {
        Window* clicked = control(*id, result);
        if (!clicked) {
            return result;
        }
        // Static texts are transparent: the click lands on the dialog behind them.
        if (clicked->windowClass != WindowClass::static_text && clicked->enabled()) {
            target = clicked->handle;
        }
    }
    SendMessageA(target, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target), MAKELPARAM(-1, -1));
    return result;
}

InputResult move_mouse(int x, int y) {
    Window* dialog = message_box_open() ? nullptr : dialog_window();
    if (!dialog) {
        return fail(message_box_open() ? "a message box is open" : "no dialog is open");
    }
    if (!inside(dialog->rect, x, y)) {
        return fail("point " + std::to_string(x) + "," + std::to_string(y) +
                    " is outside the dialog");
    }
    set_pointer_position(x, y);
    if (Window* target = mouse_target(*dialog, x, y)) {
        SendMessageA(target->handle, WM_MOUSEMOVE, 0,
                     MAKELPARAM(x - target->rect.left, y - target->rect.top));
    } else {
        SendMessageA(dialog->handle, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
    return {};
}

InputResult choose_item(int id, int index) {
    InputResult result;
    Window* combo = control(id, result);
    if (!combo) {
        return result;
    }
    if (combo->windowClass != WindowClass::combo_box || !combo->enabled()) {
        return fail("control " + std::to_string(id) + " is not a combo box that takes input");
    }
    if (index < 0 || index >= static_cast<int>(combo->items.size())) {
        return fail("combo box " + std::to_string(id) + " has no entry " + std::to_string(index));
    }
    const HWND handle = combo->handle;
    SetFocus(handle);
    combo = find_window(handle);
    if (combo->selection != index) {
        SendMessageA(handle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        notify_parent(*combo, CBN_SELCHANGE);
    }
    return result;
}

InputResult answer_message_box(int button) {
    if (!message_box_open()) {
        return fail("no message box is open");
    }
    if (!message_box_has(button)) {
        return fail("the message box has no such button");
    }
    Window* box = find_window(innermost_modal());
    box->ended = true;
    box->endCode = button;
    return {};
}

SIZE_T dialog_width(HWND dialog) {
    Window* window = find_window(dialog);
    return window ? static_cast<SIZE_T>(window->rect.right) : 0;
}

SIZE_T dialog_height(HWND dialog) {
    Window* window = find_window(dialog);
    return window ? static_cast<SIZE_T>(window->rect.bottom) : 0;
}

bool over_mouse_control(HWND dialog, int x, int y) {
    Window* window = find_window(dialog);
    return window && mouse_target(*window, x, y);
}

} // namespace vorn::user
