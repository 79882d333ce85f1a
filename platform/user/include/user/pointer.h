// The mouse pointer's position, as the views report it.
#pragma once

#include "win32/user.h"

namespace vorn::user {

// In screen coordinates, which are the active dialog's client coordinates.
void set_pointer_position(int x, int y);

} // namespace vorn::user
