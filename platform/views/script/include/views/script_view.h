// The automation view: runs every dialog of the process from a script and appends what
// a person would have seen to a transcript. It never waits for input.
#pragma once

#include <memory>
#include <string>

#include "user/view.h"

namespace vorn::views {

std::unique_ptr<user::View> make_script_view(const std::string& scriptPath,
                                             const std::string& transcriptPath);

} // namespace vorn::views
