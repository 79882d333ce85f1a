// A person's input to the active dialog or message box, as a view reports it. Each call
// turns the input into the messages Windows would send; the result says why an input
// did not fit what is on the screen (empty when it did).
#pragma once

#include <optional>
#include <string>

#include "win32/user.h"

namespace vorn::user {

enum class Key { enter, escape, tab, shift_tab, f1, space, up, down, alt_letter };

struct InputResult {
    std::string error; // empty: accepted
    bool ok() const { return error.empty(); }
};

// The innermost open dialog, and the open message box, if any.
HWND active_dialog();
bool message_box_open();
// Buttons of the open message box, as IDOK, IDCANCEL, IDYES, IDNO.
bool message_box_has(int button);

InputResult click(int id);
InputResult type_text(int id, const std::string& text);
InputResult paste_text(int id, const std::string& text);
InputResult clear_text(int id);
// Backspace (forward false) or Delete in edit ID: the selection goes, or else the one
// character before or after the caret (one user change when anything went).
InputResult erase_text(int id, bool forward);
InputResult press_key(Key key, char letter = 0);
InputResult press_close();
InputResult press_help();
InputResult right_click(std::optional<int> id);
InputResult move_mouse(int x, int y);
InputResult choose_item(int id, int index);
InputResult answer_message_box(int button);

// The dialog's size in client pixels, and whether a point there lies over a control
// that takes mouse input itself.
SIZE_T dialog_width(HWND dialog);
SIZE_T dialog_height(HWND dialog);
bool over_mouse_control(HWND dialog, int x, int y);

} // namespace vorn::user
