// C-style escapes for texts that go into tab-separated lines or quoted output.
#pragma once

#include <string>
#include <string_view>

namespace vorn::keymgr {

// Backslash, tab, CR, LF, the quote and other control bytes as \\ \t \r \n \" \xHH.
std::string escape(std::string_view text);
// The reverse; false on a broken escape.
bool unescape(std::string_view text, std::string& out);

std::string to_hex(std::string_view bytes);
bool from_hex(std::string_view hex, std::string& out);

} // namespace vorn::keymgr
