#include "user/controls.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

#include "user/view.h"

namespace vorn::user {

namespace {

LRESULT copy_out(const std::string_view text, WPARAM size, LPARAM buffer) {
    auto* out = reinterpret_cast<char*>(buffer);
    if (!out || size == 0) {
        return 0;
    }
    const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(out, text.data(), count);
    out[count] = '\0';
    return static_cast<LRESULT>(count);
}

LRESULT edit_procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window& edit = *find_window(handle);
    switch (message) {
    case WM_SETTEXT:
        DefWindowProcA(handle, message, wParam, lParam);
        edit.selStart = edit.selEnd = 0;
        return TRUE;
    case EM_SETSEL: {
        const auto length = edit.text.size();
        const auto start = static_cast<std::intptr_t>(wParam);
        const auto end = static_cast<std::intptr_t>(lParam);
        if (start < 0) {
            edit.selStart = edit.selEnd;
            return 0;
        }
        edit.selStart = std::min<std::size_t>(static_cast<std::size_t>(start), length);
        edit.selEnd =
            end < 0 ? length : std::min<std::size_t>(static_cast<std::size_t>(end), length);
        if (edit.selStart > edit.selEnd) {
            std::swap(edit.selStart, edit.selEnd);
        }
        return 0;
    }
    case EM_GETSEL:
        if (wParam) {
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(edit.selStart);
        }
        if (lParam) {
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(edit.selEnd);
        }
        return static_cast<LRESULT>(
            MAKELPARAM(static_cast<int>(edit.selStart), static_cast<int>(edit.selEnd)));
    case EM_LIMITTEXT:
        edit.limit = wParam == 0 ? 0x7FFFFFFE : static_cast<std::size_t>(wParam);
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(edit.limit);
    case EM_SCROLLCARET:
        return TRUE;
    case WM_CONTEXTMENU:
        // The edit's own menu (undo, cut, copy, paste, delete, select all).
        if (View* view = current_view()) {
            view->menu_shown(handle);
        }
        return 0;
    default:
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}

int insert_item(Window& combo, const std::string& text) {
    auto position = combo.items.end();
    if (combo.style & CBS_SORT) {
        position =
            std::find_if(combo.items.begin(), combo.items.end(), [&](const std::string& item) {
                return strcasecmp(item.c_str(), text.c_str()) > 0;
            });
    }
    const auto index = static_cast<int>(position - combo.items.begin());
    combo.items.insert(position, text);
    if (combo.selection >= index) {
        ++combo.selection;
    }
    return index;
}

int find_prefix(const Window& combo, WPARAM start, const char* prefix) {
    const int count = static_cast<int>(combo.items.size());
    const std::size_t length = std::strlen(prefix);
    const int first = static_cast<int>(static_cast<std::intptr_t>(start)) + 1;
    for (int step = 0; step < count; ++step) {
        const int index = ((first < 0 ? 0 : first) + step) % count;
        if (strncasecmp(combo.items[static_cast<std::size_t>(index)].c_str(), prefix, length) ==
            0) {
            return index;
        }
    }
    return CB_ERR;
}

void show_selection(Window& combo) {
    combo.text =
        combo.selection < 0 ? "" : combo.items[static_cast<std::size_t>(combo.selection)].c_str();
}

LRESULT combo_procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window& combo = *find_window(handle);
    const auto index = static_cast<std::intptr_t>(wParam);
    const bool inRange = index >= 0 && index < static_cast<std::intptr_t>(combo.items.size());
    switch (message) {
    case CB_ADDSTRING:
        return insert_item(combo, reinterpret_cast<const char*>(lParam));
    case CB_DELETESTRING:
        if (!inRange) {
            return CB_ERR;
        }
        combo.items.erase(combo.items.begin() + index);
        if (combo.selection == index) {
            combo.selection = -1;
        } else if (combo.selection > index) {
            --combo.selection;
        }
        show_selection(combo);
        return static_cast<LRESULT>(combo.items.size());
    case CB_GETCOUNT:
        return static_cast<LRESULT>(combo.items.size());
    case CB_GETCURSEL:
        return combo.selection;
    case CB_SETCURSEL:
        combo.selection = inRange ? static_cast<int>(index) : -1;
        show_selection(combo);
        return inRange ? index : CB_ERR;
    case CB_GETLBTEXT:
        if (!inRange) {
            return CB_ERR;
        }
        std::strcpy(reinterpret_cast<char*>(lParam),
                    combo.items[static_cast<std::size_t>(index)].c_str());
        return static_cast<LRESULT>(combo.items[static_cast<std::size_t>(index)].size());
    case CB_GETLBTEXTLEN:
        return inRange ? static_cast<LRESULT>(combo.items[static_cast<std::size_t>(index)].size())
                       : CB_ERR;
    case CB_RESETCONTENT:
        combo.items.clear();
        combo.selection = -1;
        show_selection(combo);
        return TRUE;
    case CB_FINDSTRING:
        return find_prefix(combo, wParam, reinterpret_cast<const char*>(lParam));
    case CB_SELECTSTRING: {
        const int found = find_prefix(combo, wParam, reinterpret_cast<const char*>(lParam));
        if (found != CB_ERR) {
            combo.selection = found;
            show_selection(combo);
        }
        return found;
    }
    default:
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}

LRESULT list_procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window& list = *find_window(handle);
    switch (message) {
    case LVM_DELETEALLITEMS:
        list.rows.clear();
        return TRUE;
    case LVM_GETITEMCOUNT:
        return static_cast<LRESULT>(list.rows.size());
    case LVM_INSERTCOLUMNA: {
        const auto* column = reinterpret_cast<const LVCOLUMNA*>(lParam);
        const std::size_t at = std::min<std::size_t>(wParam, list.columns.size());
        list.columns.insert(
            list.columns.begin() + static_cast<std::ptrdiff_t>(at),
            ListColumn{(column->mask & LVCF_TEXT) && column->pszText ? column->pszText : "",
                       (column->mask & LVCF_WIDTH) ? column->cx : 0});
        return static_cast<LRESULT>(at);
    }
    case LVM_INSERTITEMA: {
        const auto* item = reinterpret_cast<const LVITEMA*>(lParam);
        const std::size_t at = std::min<std::size_t>(
            item->iItem < 0 ? 0 : static_cast<std::size_t>(item->iItem), list.rows.size());
        std::vector<std::string> row(std::max<std::size_t>(list.columns.size(), 1));
        row[0] = (item->mask & LVIF_TEXT) && item->pszText ? item->pszText : "";
        list.rows.insert(list.rows.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
        return static_cast<LRESULT>(at);
    }
    case LVM_SETITEMTEXTA:
    case LVM_SETITEMA: {
        const auto* item = reinterpret_cast<const LVITEMA*>(lParam);
        const std::size_t row =
            message == LVM_SETITEMA ? static_cast<std::size_t>(item->iItem) : wParam;
        if (row >= list.rows.size() || item->iSubItem < 0) {
            return FALSE;
        }
        auto& cells = list.rows[row];
        if (static_cast<std::size_t>(item->iSubItem) >= cells.size()) {
            cells.resize(static_cast<std::size_t>(item->iSubItem) + 1);
        }
        cells[static_cast<std::size_t>(item->iSubItem)] = item->pszText ? item->pszText : "";
        return TRUE;
    }
    case LVM_GETITEMTEXTA: {
        auto* item = reinterpret_cast<LVITEMA*>(lParam);
        if (wParam >= list.rows.size() || item->iSubItem < 0 ||
            static_cast<std::size_t>(item->iSubItem) >= list.rows[wParam].size()) {
            return 0;
        }
        return copy_out(list.rows[wParam][static_cast<std::size_t>(item->iSubItem)],
                        static_cast<WPARAM>(item->cchTextMax),
                        reinterpret_cast<LPARAM>(item->pszText));
    }
    default:
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}

} // namespace

bool edit_replace_selection(Window& edit, const std::string& text) {
    const std::size_t kept = edit.text.size() - (edit.selEnd - edit.selStart);
    if (kept + text.size() > edit.limit) {
        return false;
    }
    edit.text.replace(edit.selStart, edit.selEnd - edit.selStart, text.data(), text.size());
    edit.selStart = edit.selEnd = edit.selStart + text.size();
    return true;
}

WNDPROC control_procedure(WindowClass windowClass) {
    switch (windowClass) {
    case WindowClass::edit:
        return edit_procedure;
    case WindowClass::combo_box:
        return combo_procedure;
    case WindowClass::list_view:
        return list_procedure;
    default:
        return DefWindowProcA;
    }
}

} // namespace vorn::user

using vorn::user::Window;

LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = vorn::user::find_window(handle);
    if (!window) {
        return 0;
    }
    switch (message) {
    case WM_SETTEXT: {
        const auto* text = reinterpret_cast<const char*>(lParam);
        vorn::user::wipe_text(window->text);
        window->text = text ? text : "";
        return TRUE;
    }
    case WM_GETTEXT:
        return vorn::user::copy_out(std::string_view(window->text.data(), window->text.size()),
                                    wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window->text.size());
    case WM_CONTEXTMENU:
    case WM_HELP:
        // A child passes these on to its dialog; the dialog decides.
        if (window->parent) {
            return SendMessageA(window->parent, message, wParam, lParam);
        }
        return 0;
    default:
        return 0;
    }
}
