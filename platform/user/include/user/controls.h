// The built-in behaviour of each control class, as its window procedure.
#pragma once

#include "user/window.h"

namespace vorn::user {

WNDPROC control_procedure(WindowClass windowClass);

// Replaces the selection of an edit with text, as a person's keystroke or paste does;
// false when the edit limit refuses it.
bool edit_replace_selection(Window& edit, const std::string& text);

} // namespace vorn::user
