#include "views/terminal_view.h"

#include <algorithm>
#include <cerrno>
#include <curses.h>
#include <optional>
#include <string>

#include "terminal_file_dialog.h"
#include "terminal_paint.h"
#include "user/input.h"
#include "user/modal.h"
#include "user/window.h"
#include "views/terminal_input.h"
#include "views/terminal_screen.h"

namespace vorn::views {

namespace {

using user::Window;
using user::WindowClass;

// How long the rest of an escape sequence may take to arrive before a lone Escape is meant.
constexpr int kSequenceWaitMs = 50;

class TerminalView final : public user::View {
public:
    bool step() override;
    void dialog_opened(HWND dialog) override;
    void dialog_closed(HWND dialog, INT_PTR code) override;
    void focus_changed(HWND control) override;
    void message_box_opened(const user::MessageBoxInfo& box) override;
    void beep(UINT type) override;
    void cursor_changed(bool wait) override;
    void help_shown(HWND window, UINT command, ULONG_PTR data) override;
    void menu_shown(HWND control) override;
    std::optional<std::string> choose_file(const user::FileDialogInfo& info) override;

private:
    std::optional<std::string> file_dialog_input(FileDialogState& state, const TermEvent& event,
                                                 bool& done);
    enum class Read { event, resized, ended };
    Read read_event(TermEvent& event);
    void on_message_box(const TermEvent& event);
    void on_dialog(const TermEvent& event);
    void on_dropped(Window& combo, const TermEvent& event);
    void on_mouse(Window& dialog, const TermEvent& event);
    void on_edit_key(Window& edit, const TermEvent& event);
    void on_list_key(const Window& list, const TermEvent& event);
    void drop_down(const Window& combo);
    void redraw() {
        if (TerminalScreen::is_open()) {
            paint(m_paint);
        }
    }

    PaintState m_paint;
    std::string m_pending; // bytes read but not yet decoded
    int m_depth = 0;       // dialogs open
    // The file dialog asks again after a folder or a pattern; the pattern typed last stays.
    bool m_browsing = false;
    std::string m_filePattern;
};

bool TerminalView::step() {
    if (!TerminalScreen::open()) {
        return false;
    }
    redraw();
    TermEvent event;
    for (;;) {
        const Read read = read_event(event);
        if (read == Read::ended) {
            return false;
        }
        if (read == Read::event) {
            break;
        }
        redraw();
    }
    m_paint.status.clear();
    if (user::message_box_open()) {
        on_message_box(event);
    } else {
        on_dialog(event);
    }
    // A message box shown with no dialog behind it gives the terminal back once answered.
    if (m_depth == 0) {
        const Window* box = user::find_window(user::innermost_modal());
        if (!box || box->ended) {
            TerminalScreen::close();
        }
    }
    return true;
}

TerminalView::Read TerminalView::read_event(TermEvent& event) {
    for (;;) {
        if (!m_pending.empty()) {
            const Decoded decoded = decode_input(m_pending, false);
            if (decoded.used > 0) {
                m_pending.erase(0, decoded.used);
                event = decoded.event;
                return Read::event;
            }
        }
        timeout(m_pending.empty() ? -1 : kSequenceWaitMs);
        errno = 0;
        const int got = getch();
        if (got == KEY_RESIZE) {
            return Read::resized;
        }
        if (got == ERR) {
            if (!m_pending.empty()) {
                const Decoded decoded = decode_input(m_pending, true);
                m_pending.erase(0, decoded.used > 0 ? decoded.used : m_pending.size());
                event = decoded.event;
                return Read::event;
            }
            if (errno == EINTR) {
                continue;
            }
            return Read::ended; // the terminal is gone
        }
        if (got >= 0 && got <= 0xFF) {
            m_pending += static_cast<char>(got);
        }
    }
}

void TerminalView::on_message_box(const TermEvent& event) {
    const Window* box = user::find_window(user::innermost_modal());
    const std::vector<int> buttons = message_box_buttons(box ? box->style : MB_OK);
    const int count = static_cast<int>(buttons.size());
    int& focused = m_paint.boxButton;
    focused = std::clamp(focused, 0, count - 1);
    switch (event.key) {
    case TermKey::enter:
    case TermKey::character:
        if (event.key == TermKey::enter || event.character == ' ') {
            user::answer_message_box(buttons[static_cast<std::size_t>(focused)]);
        }
        break;
    case TermKey::escape:
        user::press_key(user::Key::escape);
        break;
    case TermKey::tab:
    case TermKey::right:
        focused = (focused + 1) % count;
        break;
    case TermKey::shift_tab:
    case TermKey::left:
        focused = (focused + count - 1) % count;
        break;
    case TermKey::mouse:
        if (event.pressed && event.button == MouseButton::left) {
            const Hit hit = hit_at(m_paint, event.column, event.row);
            if (hit.kind == Hit::box_button) {
                user::answer_message_box(hit.index);
            }
        }
        break;
    default:
        break;
    }
}

void TerminalView::on_dialog(const TermEvent& event) {
    Window* dialog = user::find_window(user::active_dialog());
    if (!dialog) {
        return;
    }
    if (Window* combo = user::find_window(m_paint.dropped)) {
        on_dropped(*combo, event);
        return;
    }
    m_paint.dropped = nullptr;
    Window* focus = user::find_window(dialog->focus);
    const WindowClass focusClass = focus ? focus->windowClass : WindowClass::dialog;
    using user::Key;
    switch (event.key) {
    case TermKey::mouse:
        on_mouse(*dialog, event);
        return;
    case TermKey::enter:
        user::press_key(Key::enter);
        return;
    case TermKey::escape:
        user::press_key(Key::escape);
        return;
    case TermKey::tab:
        user::press_key(Key::tab);
        return;
    case TermKey::shift_tab:
        user::press_key(Key::shift_tab);
        return;
    case TermKey::f1:
        user::press_key(Key::f1);
        return;
    case TermKey::alt_letter:
        user::press_key(Key::alt_letter, event.character);
        return;
    case TermKey::f4:
        if (focusClass == WindowClass::combo_box) {
            drop_down(*focus);
        }
        return;
    case TermKey::character:
        if (event.character == ' ' && focusClass == WindowClass::combo_box) {
            drop_down(*focus);
        } else if (focusClass == WindowClass::edit) {
            user::type_text(focus->id, std::string(1, event.character));
        } else if (event.character == ' ') {
            user::press_key(Key::space);
        }
        return;
    case TermKey::up:
    case TermKey::down:
        if (focusClass == WindowClass::list_view) {
            on_list_key(*focus, event);
        } else {
            user::press_key(event.key == TermKey::up ? Key::up : Key::down);
        }
        return;
    default:
        break;
    }
    if (focusClass == WindowClass::edit) {
        on_edit_key(*focus, event);
    } else if (focusClass == WindowClass::list_view) {
        on_list_key(*focus, event);
    }
}

void TerminalView::drop_down(const Window& combo) {
    if (!combo.enabled() || combo.items.empty()) {
        return;
    }
    m_paint.dropped = combo.handle;
    m_paint.dropIndex = std::max(0, combo.selection);
}

void TerminalView::on_dropped(Window& combo, const TermEvent& event) {
    const int count = static_cast<int>(combo.items.size());
    int& index = m_paint.dropIndex;
    const int id = combo.id;
    switch (event.key) {
    case TermKey::up:
        index = std::max(0, index - 1);
        return;
    case TermKey::down:
        index = std::min(count - 1, index + 1);
        return;
    case TermKey::enter:
        m_paint.dropped = nullptr;
        user::choose_item(id, index);
        return;
    case TermKey::character:
        if (event.character == ' ') {
            m_paint.dropped = nullptr;
            user::choose_item(id, index);
        }
        return;
    case TermKey::escape:
    case TermKey::tab:
    case TermKey::shift_tab:
    case TermKey::f4:
        m_paint.dropped = nullptr;
        return;
    case TermKey::mouse: {
        const Hit hit = hit_at(m_paint, event.column, event.row);
        if (hit.kind == Hit::drop_item) {
            if (event.pressed && event.button == MouseButton::left) {
                m_paint.dropped = nullptr;
                user::choose_item(id, hit.index);
            } else {
                index = hit.index;
            }
        } else if (event.pressed) {
            m_paint.dropped = nullptr;
        }
        return;
    }
    default:
        return;
    }
}

void TerminalView::on_mouse(Window& dialog, const TermEvent& event) {
    const HWND handle = dialog.handle;
    const DialogGrid grid = grid_of(handle);
    int column = 0;
    int row = 0;
    if (grid.to_client(event.column, event.row, column, row) &&
        event.button != MouseButton::wheel_up && event.button != MouseButton::wheel_down) {
        // The pointer reaches the window before any button press on it does.
        const POINT point = grid.client_point(column, row);
        user::move_mouse(static_cast<int>(point.x), static_cast<int>(point.y));
    }
    const Hit hit = hit_at(m_paint, event.column, event.row);
    const Window* target = hit.kind == Hit::control ? user::find_window(hit.window) : nullptr;
    if (event.button == MouseButton::wheel_up || event.button == MouseButton::wheel_down) {
        if (target && target->windowClass == WindowClass::list_view) {
            m_paint.listRow[target->handle] += event.button == MouseButton::wheel_up ? -1 : 1;
        }
        return;
    }
    if (!event.pressed || !user::find_window(handle)) {
        return;
    }
    if (event.button == MouseButton::right) {
        if (grid.to_client(event.column, event.row, column, row)) {
            user::right_click(target ? std::optional<int>(target->id) : std::nullopt);
        }
        return;
    }
    if (event.button != MouseButton::left) {
        return;
    }
    switch (hit.kind) {
    case Hit::close_box:
        user::press_close();
        return;
    case Hit::help_box:
        user::press_help();
        return;
    case Hit::control:
        if (target && target->windowClass != WindowClass::static_text) {
            const bool combo = target->windowClass == WindowClass::combo_box;
            const HWND clicked = target->handle;
            user::click(target->id);
            if (const Window* after = user::find_window(clicked); combo && after) {
                drop_down(*after);
            }
        }
        return;
    default:
        return;
    }
}

void TerminalView::on_edit_key(Window& edit, const TermEvent& event) {
    const std::size_t length = edit.text.size();
    const std::size_t from = std::min(edit.selStart, edit.selEnd);
    const std::size_t to = std::max(edit.selStart, edit.selEnd);
    std::size_t caret = edit.selEnd;
    switch (event.key) {
    case TermKey::backspace:
        user::erase_text(edit.id, false);
        return;
    case TermKey::del:
        user::erase_text(edit.id, true);
        return;
    case TermKey::left:
        caret = from != to ? from : (caret > 0 ? caret - 1 : 0);
        break;
    case TermKey::right:
        caret = from != to ? to : std::min(length, caret + 1);
        break;
    case TermKey::home:
        caret = 0;
        break;
    case TermKey::end:
        caret = length;
        break;
    default:
        return;
    }
    SendMessageA(edit.handle, EM_SETSEL, caret, static_cast<LPARAM>(caret));
}

void TerminalView::on_list_key(const Window& list, const TermEvent& event) {
    // A list scrolls a few cells at a time sideways, and a row at a time up and down.
    constexpr int kSidewaysStep = 8;
    switch (event.key) {
    case TermKey::left:
        m_paint.listColumn[list.handle] -= kSidewaysStep;
        break;
    case TermKey::right:
        m_paint.listColumn[list.handle] += kSidewaysStep;
        break;
    case TermKey::home:
        m_paint.listColumn[list.handle] = 0;
        break;
    case TermKey::up:
        m_paint.listRow[list.handle] -= 1;
        break;
    case TermKey::down:
        m_paint.listRow[list.handle] += 1;
        break;
    default:
        break;
    }
}

void TerminalView::dialog_opened(HWND dialog) {
    const Window* window = user::find_window(dialog);
    const Window* owner = window ? user::find_window(window->owner) : nullptr;
    if (!owner || owner->windowClass != WindowClass::dialog) {
        // An outermost dialog: a count left from a dialog that was unwound starts over.
        if (m_depth > 0) {
            TerminalScreen::close();
        }
        m_depth = 0;
        m_pending.clear();
    }
    ++m_depth;
    m_paint = PaintState{};
    m_browsing = false;
    if (TerminalScreen::open()) {
        redraw();
    }
}

void TerminalView::dialog_closed(HWND dialog, INT_PTR code) {
    m_paint = PaintState{};
    if (m_depth > 0 && --m_depth == 0) {
        TerminalScreen::close();
    }
}

void TerminalView::focus_changed(HWND control) {
    if (m_paint.dropped && m_paint.dropped != control) {
        m_paint.dropped = nullptr;
    }
}

void TerminalView::message_box_opened(const user::MessageBoxInfo& box) {
    m_paint.boxButton = 0;
    m_paint.dropped = nullptr;
}

void TerminalView::beep(UINT type) {
    if (TerminalScreen::is_open()) {
        ::beep();
    }
}

void TerminalView::cursor_changed(bool wait) {
    m_paint.busy = wait;
    // The work that follows blocks: show the mark now, not at the next input.
    redraw();
}

void TerminalView::help_shown(HWND window, UINT command, ULONG_PTR data) {
    m_paint.status = "No help file is installed for this dialog.";
}

void TerminalView::menu_shown(HWND control) {
    m_paint.status = "This field has no menu here: type, Backspace and Delete edit it.";
}

std::optional<std::string> TerminalView::choose_file(const user::FileDialogInfo& info) {
    if (!TerminalScreen::open()) {
        return std::nullopt;
    }
    FileDialogState state;
    state.folder = info.folder;
    if (!m_browsing) {
        m_filePattern = initial_pattern(info);
    }
    state.pattern = m_filePattern;
    state.entries = list_folder(state.folder, state.pattern);
    state.type = info.filters.empty() ? "All files" : info.filters[0].label;
    std::optional<std::string> answer;
    for (bool done = false; !done;) {
        paint_file_dialog(state);
        TermEvent event;
        const Read read = read_event(event);
        if (read == Read::ended) {
            break;
        }
        if (read == Read::event) {
            answer = file_dialog_input(state, event, done);
        }
    }
    m_browsing = answer.has_value();
    if (answer) {
        const std::size_t at = answer->find_last_of("\\/:");
        const std::string last = at == std::string::npos ? *answer : answer->substr(at + 1);
        if (has_wildcard(last)) {
            m_filePattern = last;
        }
    }
    if (m_depth == 0) {
        TerminalScreen::close();
    } else {
        redraw();
    }
    return answer;
}

std::optional<std::string> TerminalView::file_dialog_input(FileDialogState& state,
                                                           const TermEvent& event, bool& done) {
    const int count = static_cast<int>(state.entries.size());
    auto select = [&](int index) {
        state.selected = std::clamp(index, 0, count - 1);
        const FileEntry& entry = state.entries[static_cast<std::size_t>(state.selected)];
        state.name = entry.folder ? std::string() : entry.name;
    };
    auto open = [&]() -> std::optional<std::string> {
        if (!state.name.empty()) {
            done = true;
            return state.name;
        }
        if (state.selected >= 0 && state.selected < count) {
            done = true;
            const std::string& name = state.entries[static_cast<std::size_t>(state.selected)].name;
            if (name == "..") {
                // The folder above, as a whole path: C:\A\B gives C:\A, C:\A gives C:\.
                std::string parent = state.folder;
                while (parent.size() > 3 && (parent.back() == '\\' || parent.back() == '/')) {
                    parent.pop_back();
                }
                const std::size_t at = parent.find_last_of("\\/");
                return at == std::string::npos || at < 2
                           ? parent.substr(0, 2) + "\\"
                           : parent.substr(0, std::max<std::size_t>(at, 3));
            }
            return name;
        }
        return std::nullopt;
    };
    switch (event.key) {
    case TermKey::escape:
        done = true;
        return std::nullopt;
    case TermKey::enter:
        return open();
    case TermKey::up:
    case TermKey::down:
        if (count > 0) {
            select(state.selected < 0 ? 0 : state.selected + (event.key == TermKey::up ? -1 : 1));
        }
        return std::nullopt;
    case TermKey::backspace:
        if (!state.name.empty()) {
            state.name.pop_back();
        }
        return std::nullopt;
    case TermKey::character:
        if (state.name.size() < 259) {
            state.name += event.character;
        }
        return std::nullopt;
    case TermKey::mouse: {
        if (!event.pressed || event.button != MouseButton::left) {
            return std::nullopt;
        }
        for (const Region& region : state.regions) {
            const Cells& cells = region.cells;
            if (event.row != cells.row || event.column < cells.column ||
                event.column >= cells.column + cells.width) {
                continue;
            }
            if (region.hit.kind == Hit::box_button) {
                if (region.hit.index == IDOK) {
                    return open();
                }
                done = true;
                return std::nullopt;
            }
            // A second click on the chosen entry opens it.
            if (region.hit.index == state.selected) {
                return open();
            }
            select(region.hit.index);
        }
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

std::unique_ptr<user::View> make_terminal_view() {
    return std::make_unique<TerminalView>();
}

} // namespace vorn::views
