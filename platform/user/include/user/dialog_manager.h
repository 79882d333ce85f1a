// The dialog manager's rules that input and programs share.
#pragma once

#include "user/window.h"

namespace vorn::user {

// The next (or previous) enabled, visible tab stop after the focus, wrapping around.
HWND next_tab_stop(const Window& dialog, bool backwards);
// Gives a control the focus as the dialog manager does: an edit's whole text is selected.
void focus_as_dialog_manager(HWND control);
// Presses a push button: it takes the focus and tells its dialog.
void press_button(Window& button);

} // namespace vorn::user
