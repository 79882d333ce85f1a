#include "user/window.h"

#include <map>
#include <memory>

namespace vorn::user {

namespace {

// Handles are never reused, so a stale one finds nothing instead of another window.
std::map<std::uintptr_t, std::unique_ptr<Window>>& windows() {
    static std::map<std::uintptr_t, std::unique_ptr<Window>> table;
    return table;
}

std::uintptr_t s_nextHandle = 0x10000;

} // namespace

Window* find_window(HWND handle) {
    auto found = windows().find(reinterpret_cast<std::uintptr_t>(handle));
    return found == windows().end() ? nullptr : found->second.get();
}

Window& create_window(WindowClass windowClass, HWND parent) {
    auto window = std::make_unique<Window>();
    s_nextHandle += 4;
    window->handle = reinterpret_cast<HWND>(s_nextHandle);
    window->windowClass = windowClass;
    window->parent = parent;
    Window& created = *window;
    windows()[s_nextHandle] = std::move(window);
    if (Window* parentWindow = find_window(parent)) {
        parentWindow->children.push_back(created.handle);
    }
    return created;
}

void destroy_window(HWND handle) {
    Window* window = find_window(handle);
    if (!window) {
        return;
    }
    for (HWND child : std::vector<HWND>(window->children)) {
        destroy_window(child);
    }
    if (Window* parent = find_window(window->parent)) {
        std::erase(parent->children, handle);
        if (parent->focus == handle) {
            parent->focus = nullptr;
        }
    }
    wipe_text(window->text);
    windows().erase(reinterpret_cast<std::uintptr_t>(handle));
}

Window* child_by_id(const Window& dialog, int id) {
    for (HWND child : dialog.children) {
        Window* window = find_window(child);
        if (window && window->id == id) {
            return window;
        }
    }
    return nullptr;
}

Window* top_level_of(HWND handle) {
    Window* window = find_window(handle);
    while (window && window->parent) {
        window = find_window(window->parent);
    }
    return window;
}

void notify_parent(const Window& control, UINT code) {
    if (find_window(control.parent)) {
        SendMessageA(control.parent, WM_COMMAND,
                     MAKEWPARAM(static_cast<unsigned>(control.id), code),
                     reinterpret_cast<LPARAM>(control.handle));
    }
}

const char* class_name(WindowClass windowClass) {
    switch (windowClass) {
    case WindowClass::dialog:
        return "dialog";
    case WindowClass::message_box:
        return "msgbox";
    case WindowClass::static_text:
        return "static";
    case WindowClass::edit:
        return "edit";
    case WindowClass::button:
        return "button";
    case WindowClass::combo_box:
        return "combobox";
    case WindowClass::list_view:
        return "listview";
    }
    return "window";
}

} // namespace vorn::user
