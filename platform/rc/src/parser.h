// Reads a resource script (and the headers it includes) into a Script.
#pragma once

#include <string>

#include "script.h"

namespace vorn::rc {

// Throws SyntaxError naming the file and line of the first fault.
Script parse_file(const std::string& path);

} // namespace vorn::rc
