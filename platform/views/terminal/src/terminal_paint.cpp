#include "terminal_paint.h"

#include <algorithm>
#include <curses.h>

#include "user/input.h"
#include "user/modal.h"
#include "user/window.h"

namespace vorn::views {

namespace {

using user::Window;
using user::WindowClass;

// The last line is the status line.
int dialog_rows() {
    return std::max(1, LINES - 1);
}

std::string plain(const user::Text& text) {
    return std::string(text.data(), text.size());
}

// Text without its access-key marks, and where the marked letter is (-1: none).
std::string without_marks(const std::string& text, int& marked) {
    std::string out;
    marked = -1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != '&' && marked < 0) {
                marked = static_cast<int>(out.size());
            }
        }
        out += text[i];
    }
    return out;
}

void put(int row, int column, const std::string& text, int width, attr_t attributes) {
    if (row < 0 || row >= LINES || width <= 0) {
        return;
    }
    attrset(attributes);
    std::string shown = text.substr(0, static_cast<std::size_t>(width));
    mvaddnstr(row, column, shown.c_str(), static_cast<int>(shown.size()));
    attrset(A_NORMAL);
}

void fill(const Cells& area, attr_t attributes) {
    attrset(attributes);
    for (int r = 0; r < area.height; ++r) {
        mvhline(area.row + r, area.column, ' ', area.width);
    }
    attrset(A_NORMAL);
}

void frame(const Cells& area, const std::string& title) {
    fill(area, A_NORMAL);
    const int right = area.column + area.width - 1;
    const int bottom = area.row + area.height - 1;
    // Plain characters: they look the same on every terminal and in every font.
    mvaddch(area.row, area.column, '+');
    mvaddch(area.row, right, '+');
    mvaddch(bottom, area.column, '+');
    mvaddch(bottom, right, '+');
    mvhline(area.row, area.column + 1, '-', area.width - 2);
    mvhline(bottom, area.column + 1, '-', area.width - 2);
    mvvline(area.row + 1, area.column, '|', area.height - 2);
    mvvline(area.row + 1, right, '|', area.height - 2);
    if (!title.empty()) {
        const std::string shown = " " + title + " ";
        const int room = area.width - 10;
        const int length = std::min(room, static_cast<int>(shown.size()));
        put(area.row, area.column + std::max(1, (area.width - length) / 2), shown, length, A_BOLD);
    }
}

Cells on_screen(const DialogGrid& grid, const Cells& client) {
    Cells cells = client;
    cells.row += grid.frame().row + 1;
    cells.column += grid.frame().column + 1;
    const int lastColumn = grid.frame().column + grid.frame().width - 1;
    cells.width = std::max(0, std::min(cells.width, lastColumn - cells.column));
    return cells;
}

attr_t dimmed(const Window& window) {
    return window.enabled() ? A_NORMAL : A_DIM;
}

void paint_static(const Window& control, const Cells& cells) {
    int marked = -1;
    const std::string shown = without_marks(plain(control.text), marked);
    const std::vector<std::string> lines = wrap_text(shown, cells.width);
    for (int i = 0; i < std::min(cells.height, static_cast<int>(lines.size())); ++i) {
        put(cells.row + i, cells.column, lines[static_cast<std::size_t>(i)], cells.width,
            dimmed(control));
    }
    if (marked >= 0 && !lines.empty() && marked < static_cast<int>(lines[0].size())) {
        put(cells.row, cells.column + marked, shown.substr(static_cast<std::size_t>(marked), 1), 1,
            dimmed(control) | A_UNDERLINE);
    }
}

// An edit shows between brackets, scrolled so that the caret stays in view.
void paint_edit(PaintState& state, const Window& edit, bool focused, const Cells& cells,
                int& cursorRow, int& cursorColumn) {
    const std::string text =
        edit.password() ? std::string(edit.text.size(), '*') : plain(edit.text);
    const int inner = std::max(1, cells.width - 2);
    const auto width = static_cast<std::size_t>(inner);
    std::size_t& offset = state.editOffset[edit.handle];
    const std::size_t caret = std::min(edit.selEnd, text.size());
    if (caret < offset) {
        offset = caret;
    }
    if (caret >= offset + width) {
        offset = caret - width + 1;
    }
    offset = std::min(offset, text.size());
    const attr_t base = edit.enabled() ? A_UNDERLINE : A_DIM;
    put(cells.row, cells.column, offset > 0 ? "<" : "[", 1, dimmed(edit));
    const bool more = text.size() > offset + width;
    put(cells.row, cells.column + inner + 1, more ? ">" : "]", 1, dimmed(edit));
    fill(Cells{cells.row, cells.column + 1, 1, inner}, base);
    const std::size_t from = std::min(edit.selStart, edit.selEnd);
    const std::size_t to = std::max(edit.selStart, edit.selEnd);
    for (std::size_t i = offset; i < text.size() && i < offset + width; ++i) {
        const bool selected = focused && i >= from && i < to;
        put(cells.row, cells.column + 1 + static_cast<int>(i - offset), text.substr(i, 1), 1,
            selected ? base | A_REVERSE : base);
    }
    if (focused) {
        cursorRow = cells.row;
        cursorColumn = cells.column + 1 + static_cast<int>(caret - offset);
    }
}

void paint_button(const Window& button, bool focused, const Cells& cells) {
    int marked = -1;
    const std::string name = without_marks(plain(button.text), marked);
    const bool byDefault = button.default_button();
    const std::string shown = (byDefault ? "< " : "[ ") + name + (byDefault ? " >" : " ]");
    const int column =
        cells.column + std::max(0, (cells.width - static_cast<int>(shown.size())) / 2);
    attr_t attributes = dimmed(button);
    if (byDefault) {
        attributes |= A_BOLD;
    }
    if (focused) {
        attributes |= A_REVERSE;
    }
    put(cells.row, column, shown, cells.column + cells.width - column, attributes);
    if (marked >= 0) {
        put(cells.row, column + 2 + marked, name.substr(static_cast<std::size_t>(marked), 1), 1,
            attributes | A_UNDERLINE);
    }
}

void paint_combo(PaintState& state, const Window& combo, bool focused, const Cells& cells) {
    const std::string chosen =
        combo.selection >= 0 && combo.selection < static_cast<int>(combo.items.size())
            ? combo.items[static_cast<std::size_t>(combo.selection)]
            : "";
    const int inner = std::max(1, cells.width - 4);
    std::string shown = "[" + chosen.substr(0, static_cast<std::size_t>(inner));
    shown.resize(static_cast<std::size_t>(inner) + 1, ' ');
    shown += " v]";
    attr_t attributes = dimmed(combo);
    if (focused) {
        attributes |= A_REVERSE;
    }
    put(cells.row, cells.column, shown, cells.width, attributes);
    if (state.dropped != combo.handle) {
        return;
    }
    // The list drops down below, over whatever is there, as far as the screen allows.
    const int count = static_cast<int>(combo.items.size());
    const int shownRows = std::max(1, std::min(count, dialog_rows() - cells.row - 3));
    const int first =
        std::clamp(state.dropIndex - shownRows + 1, 0, std::max(0, count - shownRows));
    const Cells box{cells.row + 1, cells.column, shownRows + 2, cells.width};
    frame(box, "");
    for (int i = 0; i < shownRows && first + i < count; ++i) {
        const int entry = first + i;
        const Cells line{box.row + 1 + i, box.column + 1, 1, box.width - 2};
        put(line.row, line.column, combo.items[static_cast<std::size_t>(entry)], line.width,
            entry == state.dropIndex ? A_REVERSE : A_NORMAL);
        state.regions.push_back({line, Hit{Hit::drop_item, combo.handle, entry}});
    }
    state.regions.push_back({box, Hit{Hit::nothing, nullptr, 0}});
}

std::string cut_to(const std::string& text, int width) {
    std::string out = text.substr(0, static_cast<std::size_t>(std::max(0, width)));
    out.resize(static_cast<std::size_t>(std::max(0, width)), ' ');
    return out;
}

void paint_list(PaintState& state, const DialogGrid& grid, const Window& list, bool focused,
                const Cells& cells) {
    std::vector<int> widths;
    int total = 0;
    for (const auto& column : list.columns) {
        const int width = std::max(3, pixels_to_dlu_x(column.width) / grid.dlu_per_column());
        widths.push_back(width);
        total += width + 1;
    }
    int& sideways = state.listColumn[list.handle];
    sideways = std::clamp(sideways, 0, std::max(0, total - cells.width));
    int& first = state.listRow[list.handle];
    const int bodyRows = std::max(0, cells.height - 1);
    first = std::clamp(first, 0, std::max(0, static_cast<int>(list.rows.size()) - bodyRows));
    auto line_of = [&](auto cell) {
        std::string line;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            line += cut_to(cell(c), widths[c]) + " ";
        }
        return line.size() > static_cast<std::size_t>(sideways)
                   ? line.substr(static_cast<std::size_t>(sideways))
                   : std::string();
    };
    const std::string heading = line_of([&](std::size_t c) { return list.columns[c].heading; });
    put(cells.row, cells.column, cut_to(heading, cells.width), cells.width,
        (focused ? A_REVERSE : A_UNDERLINE) | dimmed(list));
    for (int r = 0; r < bodyRows; ++r) {
        const std::size_t row = static_cast<std::size_t>(first) + static_cast<std::size_t>(r);
        std::string line;
        if (row < list.rows.size()) {
            line = line_of([&](std::size_t c) {
                return c < list.rows[row].size() ? list.rows[row][c] : std::string();
            });
        }
        put(cells.row + 1 + r, cells.column, cut_to(line, cells.width), cells.width, dimmed(list));
    }
    // Marks for what lies beyond the edges.
    if (sideways > 0) {
        put(cells.row, cells.column, "<", 1, A_BOLD | A_REVERSE);
    }
    if (total - sideways > cells.width) {
        put(cells.row, cells.column + cells.width - 1, ">", 1, A_BOLD | A_REVERSE);
    }
}

void paint_dialog(PaintState& state, const Window& dialog, int& cursorRow, int& cursorColumn) {
    const DialogGrid grid(dialog.rect, COLS, dialog_rows());
    const Cells& outline = grid.frame();
    frame(outline, plain(dialog.text));
    const int right = outline.column + outline.width - 1;
    int boxColumn = right - 4;
    if (dialog.style & WS_SYSMENU) {
        put(outline.row, boxColumn, "[x]", 3, A_NORMAL);
        state.regions.push_back({Cells{outline.row, boxColumn, 1, 3}, Hit{Hit::close_box}});
        boxColumn -= 3;
    }
    if ((dialog.exStyle & WS_EX_CONTEXTHELP) || (dialog.style & DS_CONTEXTHELP)) {
        put(outline.row, boxColumn, "[?]", 3, A_NORMAL);
        state.regions.push_back({Cells{outline.row, boxColumn, 1, 3}, Hit{Hit::help_box}});
    }
    if (state.busy) {
        put(outline.row + outline.height - 1, outline.column + 2, " Busy... ", 9, A_REVERSE);
    }
    // Statics first, so that a control drawn over a text's spare room wins.
    std::vector<const Window*> controls;
    for (HWND child : dialog.children) {
        const Window* control = user::find_window(child);
        if (control && control->visible()) {
            controls.push_back(control);
        }
    }
    std::stable_partition(controls.begin(), controls.end(), [](const Window* control) {
        return control->windowClass == WindowClass::static_text;
    });
    const Window* droppedCombo = nullptr;
    for (const Window* control : controls) {
        const Cells cells = on_screen(grid, grid.cells_of(control->rect));
        const bool focused = dialog.focus == control->handle;
        switch (control->windowClass) {
        case WindowClass::static_text:
            paint_static(*control, cells);
            break;
        case WindowClass::edit:
            paint_edit(state, *control, focused, cells, cursorRow, cursorColumn);
            break;
        case WindowClass::button:
            paint_button(*control, focused, cells);
            break;
        case WindowClass::combo_box:
            if (state.dropped == control->handle) {
                droppedCombo = control;
                continue;
            }
            paint_combo(state, *control, focused, Cells{cells.row, cells.column, 1, cells.width});
            break;
        case WindowClass::list_view:
            paint_list(state, grid, *control, focused, cells);
            break;
        default:
            break;
        }
        state.regions.push_back({cells, Hit{Hit::control, control->handle, 0}});
    }
    if (droppedCombo) {
        const Cells cells = on_screen(grid, grid.cells_of(droppedCombo->rect));
        state.regions.push_back({Cells{cells.row, cells.column, 1, cells.width},
                                 Hit{Hit::control, droppedCombo->handle, 0}});
        paint_combo(state, *droppedCombo, dialog.focus == droppedCombo->handle,
                    Cells{cells.row, cells.column, 1, cells.width});
    }
}

const char* icon_of(UINT style) {
    switch (style & MB_ICONMASK) {
    case MB_ICONHAND:
        return "(X)";
    case MB_ICONQUESTION:
        return "(?)";
    case MB_ICONEXCLAMATION:
        return "(!)";
    case MB_ICONASTERISK:
        return "(i)";
    default:
        return "";
    }
}

const char* button_name(int button) {
    switch (button) {
    case IDOK:
        return "OK";
    case IDCANCEL:
        return "Cancel";
    case IDYES:
        return "Yes";
    default:
        return "No";
    }
}

void paint_message_box(PaintState& state, const Window& box) {
    const std::string icon = icon_of(box.style);
    const int indent = icon.empty() ? 0 : static_cast<int>(icon.size()) + 2;
    const std::vector<int> buttons = message_box_buttons(box.style);
    int buttonsWidth = 0;
    for (int button : buttons) {
        buttonsWidth += static_cast<int>(std::string(button_name(button)).size()) + 5;
    }
    const int most = std::max(20, COLS - 4);
    const std::string text = plain(box.text);
    int longest = 0;
    for (const std::string& line : wrap_text(text, most - 4 - indent)) {
        longest = std::max(longest, static_cast<int>(line.size()));
    }
    const int width = std::min(most, std::max({longest + indent + 4, buttonsWidth + 4,
                                               static_cast<int>(box.caption.size()) + 12}));
    const std::vector<std::string> lines = wrap_text(text, width - 4 - indent);
    const int height = std::min(dialog_rows(), static_cast<int>(lines.size()) + 5);
    const Cells outline{std::max(0, (dialog_rows() - height) / 2), std::max(0, (COLS - width) / 2),
                        height, width};
    frame(outline, box.caption);
    state.regions.push_back({outline, Hit{Hit::nothing}});
    if (!icon.empty()) {
        put(outline.row + 2, outline.column + 2, icon, indent, A_BOLD);
    }
    for (int i = 0; i < static_cast<int>(lines.size()) && i < height - 5; ++i) {
        put(outline.row + 2 + i, outline.column + 2 + indent, lines[static_cast<std::size_t>(i)],
            width - 4 - indent, A_NORMAL);
    }
    int column = outline.column + std::max(1, (width - buttonsWidth) / 2);
    const int row = outline.row + height - 2;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const std::string shown = std::string("[ ") + button_name(buttons[i]) + " ]";
        const bool focused = static_cast<int>(i) == state.boxButton;
        put(row, column, shown, static_cast<int>(shown.size()), focused ? A_REVERSE : A_NORMAL);
        state.regions.push_back({Cells{row, column, 1, static_cast<int>(shown.size())},
                                 Hit{Hit::box_button, nullptr, buttons[i]}});
        column += static_cast<int>(shown.size()) + 1;
    }
}

void paint_status(const PaintState& state, bool box) {
    const char* hints = box ? "Enter: answer  Tab: next button  Esc: cancel"
                            : "Tab/Shift+Tab: move  Enter: default button  Esc: cancel  "
                              "Space: press  F1: help  Alt+letter: go to";
    const std::string& line = state.status.empty() ? std::string(hints) : state.status;
    put(LINES - 1, 0, cut_to(line, COLS), COLS, state.status.empty() ? A_DIM : A_BOLD);
}

} // namespace

std::vector<int> message_box_buttons(UINT style) {
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    default:
        return {IDOK};
    }
}

std::vector<std::string> wrap_text(const std::string& text, int width) {
    std::vector<std::string> lines;
    const auto room = static_cast<std::size_t>(std::max(1, width));
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t newline = text.find('\n', start);
        std::string paragraph =
            text.substr(start, newline == std::string::npos ? std::string::npos : newline - start);
        while (paragraph.size() > room) {
            std::size_t cut = paragraph.rfind(' ', room);
            const bool atBlank = cut != std::string::npos && cut > 0;
            if (!atBlank) {
                cut = room;
            }
            lines.push_back(paragraph.substr(0, cut));
            paragraph.erase(0, atBlank ? cut + 1 : cut);
        }
        lines.push_back(paragraph);
        if (newline == std::string::npos) {
            break;
        }
        start = newline + 1;
    }
    return lines;
}

DialogGrid grid_of(HWND dialog) {
    const Window* window = user::find_window(dialog);
    return DialogGrid(window ? window->rect : RECT{0, 0, 1, 1}, COLS, dialog_rows());
}

void paint(PaintState& state) {
    state.regions.clear();
    erase();
    int cursorRow = -1;
    int cursorColumn = -1;
    if (const Window* dialog = user::find_window(user::active_dialog())) {
        paint_dialog(state, *dialog, cursorRow, cursorColumn);
    }
    const bool box = user::message_box_open();
    if (box) {
        if (const Window* window = user::find_window(user::innermost_modal())) {
            paint_message_box(state, *window);
        }
        cursorRow = -1;
    }
    paint_status(state, box);
    if (cursorRow >= 0 && !state.busy && !state.dropped) {
        move(cursorRow, cursorColumn);
        curs_set(1);
    } else {
        curs_set(0);
    }
    refresh();
}

Hit hit_at(const PaintState& state, int column, int row) {
    for (auto it = state.regions.rbegin(); it != state.regions.rend(); ++it) {
        const Cells& cells = it->cells;
        if (row >= cells.row && row < cells.row + cells.height && column >= cells.column &&
            column < cells.column + cells.width) {
            return it->hit;
        }
    }
    return Hit{};
}

} // namespace vorn::views
