// The subcommands: each calls one export and prints result=N, then name=value for every
// output buffer the export wrote.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "library.h"

namespace vornconfig {

// The export's result; -2 with a message on standard error for a bad command line or a
// missing export.
int run_command(const Library& library, const std::vector<std::string>& arguments,
                std::FILE* out = stdout);

// The subcommands offered as a menu when none is named.
std::vector<std::string> menu_choice(int number);
void print_menu();

} // namespace vornconfig
