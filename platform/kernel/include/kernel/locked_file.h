// The platform's own state files under $VORN_ROOT, read and written under an exclusive
// advisory lock (flock) so that processes never interleave their lines.
#pragma once

#include <optional>
#include <string>

namespace vorn::kernel {

// Appends text in one write, creating the file (and $VORN_ROOT) when missing. False with
// the last error set when it could not be written whole.
bool append_locked(const std::string& path, const std::string& text);

// The whole contents (empty when the file is missing); with empty_after the file is
// emptied in the same locked step. Nothing when it could not be read.
std::optional<std::string> read_locked(const std::string& path, bool emptyAfter);

} // namespace vorn::kernel
