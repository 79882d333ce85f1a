// The platform's own state files under $VORN_ROOT, read and written under an exclusive
// advisory lock (flock) so that processes never interleave their lines.
#pragma once

#include <functional>
#include <string>

namespace vorn::kernel {

// Appends text in one write, creating the file (and $VORN_ROOT) when missing. False with
// the last error set when it could not be written whole.
bool append_locked(const std::string& path, const std::string& text);

// Hands the whole contents (empty when the file is missing) to use while holding the
// lock; with emptyAfter the file is emptied when use returns, still under the lock.
// False with the last error set when the file could not be read or emptied.
bool with_locked_contents(const std::string& path, bool emptyAfter,
                          const std::function<void(const std::string&)>& use);

} // namespace vorn::kernel
