// The menu that vornconfig offers on a terminal when no subcommand is named: the five
// dialogs, each run in turn, with what the last one gave back, until q or Escape.
#pragma once

#include "library.h"

namespace vornconfig {

// 0 once the person quits; 3 when there is no terminal to show it on.
int run_menu(const Library& library);

} // namespace vornconfig
