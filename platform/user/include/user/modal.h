// Modal loops: the stack of open dialogs and message boxes, and abandoning them all when
// the view has no more input.
#pragma once

#include "win32/user.h"

namespace vorn::user {

// Runs the view until the window has ended (or everything was abandoned).
void run_modal_loop(HWND window);
void push_modal(HWND window);
void pop_modal(HWND window);
HWND innermost_modal();
// Set once the view ran out of input, until the last loop has ended: every open loop
// then ends as cancelled.
bool abandoned();
// Ends the current and every outer modal loop: dialogs with IDCANCEL.
void end_all_modal();

} // namespace vorn::user
