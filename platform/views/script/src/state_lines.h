// The "state" lines of a dump: the active window and every control.
#pragma once

#include <string>
#include <vector>

#include "win32/user.h"

namespace vorn::views {

std::vector<std::string> state_lines(HWND window);

} // namespace vorn::views
