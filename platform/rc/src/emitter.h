// Writes a Script as C++ data for the window model (user/resources.h).
#pragma once

#include <ostream>
#include <string>

#include "script.h"

namespace vorn::rc {

void emit_cpp(const Script& script, const std::string& source, std::ostream& out);

} // namespace vorn::rc
