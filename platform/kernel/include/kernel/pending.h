// The pending-operations store: delayed moves and deletions, carried out at the next start.
//
// $VORN_ROOT/pending-operations, one operation per line in the order they were asked
// for: the flags in hexadecimal, a tab, the source, a tab, the destination (empty for a
// deletion). Paths are full Windows paths, which can hold neither a tab nor a line break.
// Every access takes an exclusive lock (flock) on the file.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "win32/base.h"

namespace vorn::kernel {

struct PendingOperation {
    DWORD flags = 0;
    std::string source;
    std::optional<std::string> destination; // none: delete the source
};

std::string pending_operations_path();

// Appends one operation; false with the last error set when it could not be written.
bool append_pending_operation(const PendingOperation& operation);

// Reads every operation, in order, without taking them.
std::vector<PendingOperation> read_pending_operations();

// Hands every operation, in order, to run while holding the store's lock, then empties
// the store. A run cut short (the process dies) leaves the store whole for the next one.
// False with the last error set when the store could not be read or emptied.
bool drain_pending_operations(const std::function<void(const PendingOperation&)>& run);

} // namespace vorn::kernel
