// Drawing the model on the curses screen: the active dialog with its controls, an open
// message box over it, the status line; and what lies under a cell, for the mouse.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "views/terminal_layout.h"
#include "win32/user.h"

namespace vorn::views {

struct Hit {
    enum Kind { nothing, control, close_box, help_box, box_button, drop_item } kind = nothing;
    HWND window = nullptr; // the control, for control and drop_item
    int index = 0;         // the button (IDOK, ...) or the entry
};

struct Region {
    Cells cells; // screen cells
    Hit hit;
};

// What the view adds to the model while it shows it.
struct PaintState {
    HWND dropped = nullptr; // the combo box whose list is down
    int dropIndex = 0;
    int boxButton = 0; // focused button of the message box, as an index
    bool busy = false;
    std::string status;             // shown on the last line until the next input
    std::map<HWND, int> listColumn; // sideways scroll of list views, in cells
    std::map<HWND, int> listRow;    // first row shown
    std::map<HWND, std::size_t> editOffset;
    std::vector<Region> regions; // filled by paint, topmost last
};

// Buttons of a message box of the given style, in order (IDOK, IDCANCEL, IDYES, IDNO).
std::vector<int> message_box_buttons(UINT style);
// Text broken into lines no longer than width, at blanks where it can.
std::vector<std::string> wrap_text(const std::string& text, int width);

void paint(PaintState& state);
Hit hit_at(const PaintState& state, int column, int row);
// The grid of the dialog as the screen shows it now.
DialogGrid grid_of(HWND dialog);

} // namespace vorn::views
