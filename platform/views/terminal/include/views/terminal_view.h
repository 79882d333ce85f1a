// The terminal view: every dialog of the process drawn with curses on the terminal, and
// a person's keys and mouse turned into input to the window model.
#pragma once

#include <memory>

#include "user/view.h"

namespace vorn::views {

std::unique_ptr<user::View> make_terminal_view();

} // namespace vorn::views
