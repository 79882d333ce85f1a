// The window model: every window's state lives here; views only show it.
#pragma once

#include <string>
#include <vector>

#include "user/wiping.h"
#include "win32/user.h"

namespace vorn::user {

enum class WindowClass { dialog, message_box, static_text, edit, button, combo_box, list_view };

struct ListColumn {
    std::string heading;
    int width;
};

struct Window {
    HWND handle = nullptr;
    WindowClass windowClass = WindowClass::static_text;
    int id = 0;
    Text text;
    std::string caption; // a message box's
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{}; // client pixels of the parent (a dialog's own: its size)
    HWND parent = nullptr;
    std::vector<HWND> children; // creation order, which is the tab order
    WNDPROC proc = nullptr;

    // Edit.
    std::size_t limit = 30000;
    std::size_t selStart = 0;
    std::size_t selEnd = 0;

    // Combo box.
    std::vector<std::string> items;
    int selection = -1;

    // List view.
    std::vector<ListColumn> columns;
    std::vector<std::vector<std::string>> rows;

    // Dialog.
    int templateId = 0;
    DLGPROC dialogProc = nullptr;
    HWND focus = nullptr; // the control with the focus
    HWND owner = nullptr;
    bool ended = false;
    INT_PTR endCode = 0;
    bool shown = false;

    bool enabled() const { return (style & WS_DISABLED) == 0; }
    bool visible() const { return (style & WS_VISIBLE) != 0; }
    bool password() const { return windowClass == WindowClass::edit && (style & ES_PASSWORD); }
    bool default_button() const {
        return windowClass == WindowClass::button && (style & 0xF) == BS_DEFPUSHBUTTON;
    }
};

// Null for a handle that names no window (any more).
Window* find_window(HWND handle);
Window& create_window(WindowClass windowClass, HWND parent);
void destroy_window(HWND handle);
Window* child_by_id(const Window& dialog, int id);
// The top-level window (dialog or message box) that holds the window.
Window* top_level_of(HWND handle);

// Sends a notification to a control's dialog: WM_COMMAND with the control's id and code.
void notify_parent(const Window& control, UINT code);

const char* class_name(WindowClass windowClass);

} // namespace vorn::user
