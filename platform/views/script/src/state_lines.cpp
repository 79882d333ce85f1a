#include "state_lines.h"

#include <cstdio>

#include "quoting.h"
#include "user/window.h"

namespace vorn::views {

namespace {

using user::Window;
using user::WindowClass;

std::string flag(const char* name, bool value) {
    return std::string(" ") + name + (value ? "=1" : "=0");
}

// A password edit shows only how many characters it holds.
std::string shown_text(const Window& window) {
    if (window.password()) {
        return "<masked:" + std::to_string(window.text.size()) + ">";
    }
    return quote(std::string_view(window.text.data(), window.text.size()));
}

std::string joined(const std::vector<std::string>& parts) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        out += (i ? "|" : "") + parts[i];
    }
    return out;
}

std::string control_line(const Window& control, bool focused) {
    std::string line =
        "state " + std::to_string(control.id) + " class=" + user::class_name(control.windowClass);
    switch (control.windowClass) {
    case WindowClass::edit:
        line += " text=" + shown_text(control) + flag("enabled", control.enabled()) +
                flag("visible", control.visible()) + flag("focus", focused) +
                " sel=" + std::to_string(control.selStart) + "," + std::to_string(control.selEnd) +
                " limit=" + std::to_string(control.limit) + flag("password", control.password());
        break;
    case WindowClass::button:
        line += " text=" + shown_text(control) + flag("enabled", control.enabled()) +
                flag("default", control.default_button()) + flag("visible", control.visible()) +
                flag("focus", focused);
        break;
    case WindowClass::combo_box:
        line += " items=" + quote(joined(control.items)) +
                " sel=" + std::to_string(control.selection) + flag("enabled", control.enabled()) +
                flag("focus", focused);
        break;
    case WindowClass::list_view: {
        std::vector<std::string> columns;
        for (const auto& column : control.columns) {
            columns.push_back(column.heading + ":" + std::to_string(column.width));
        }
        line +=
            " columns=" + quote(joined(columns)) + " rows=" + std::to_string(control.rows.size());
        for (std::size_t i = 0; i < control.rows.size(); ++i) {
            line += " row" + std::to_string(i) + "=" + quote(joined(control.rows[i]));
        }
        line += flag("enabled", control.enabled()) + flag("focus", focused);
        break;
    }
    default:
        line += " text=" + shown_text(control) + flag("enabled", control.enabled()) +
                flag("visible", control.visible());
        break;
    }
    return line;
}

} // namespace

std::vector<std::string> state_lines(HWND handle) {
    std::vector<std::string> lines;
    const Window* window = user::find_window(handle);
    if (!window) {
        return lines;
    }
    if (window->windowClass == WindowClass::message_box) {
        char style[16];
        std::snprintf(style, sizeof style, "0x%x", static_cast<unsigned>(window->style));
        const Window* owner = user::find_window(window->owner);
        lines.push_back("state msgbox text=" + shown_text(*window) +
                        " caption=" + quote(window->caption) + " style=" + style +
                        " owner=" + std::to_string(owner ? owner->templateId : 0) +
                        flag("owner_enabled", owner && owner->enabled()));
        return lines;
    }
    lines.push_back("state dialog " + std::to_string(window->templateId) +
                    " title=" + shown_text(*window) + flag("enabled", window->enabled()));
    for (HWND child : window->children) {
        if (const Window* control = user::find_window(child)) {
            lines.push_back(control_line(*control, window->focus == child));
        }
    }
    return lines;
}

} // namespace vorn::views
