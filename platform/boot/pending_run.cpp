// The delayed moves and deletions, carried out in the order they were asked for, each
// with its own flags (a move onto an existing file needs the replace flag).
#include "boot.h"
#include "kernel/pending.h"

int run_pending_operations() {
    int failures = 0;
    bool drained = vorn::kernel::drain_pending_operations([&](const auto& operation) {
        DWORD flags = operation.flags & ~MOVEFILE_DELAY_UNTIL_REBOOT;
        const std::string* destination = operation.destination ? &*operation.destination : nullptr;
        if (!carry_out(operation.source, destination, flags)) {
            ++failures;
        }
    });
    if (!drained) {
        report_failed("the pending operations in " + vorn::kernel::pending_operations_path());
        ++failures;
    }
    return failures;
}
