// Texts in scripts and transcripts: double quotes with C escapes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorn::views {

std::string quote(std::string_view text);

} // namespace vorn::views
