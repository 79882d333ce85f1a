// The delayed moves and deletions, carried out in the order they were asked for, each
// with its own flags (a move onto an existing file needs the replace flag).
#include "boot.h"
#include "kernel/pending.h"

int run_pending_operations() {
    auto operations = vorn::kernel::take_pending_operations();
    if (!operations) {
        report_failed("read " + vorn::kernel::pending_operations_path());
        return 1;
    }
    int failures = 0;
    for (const vorn::kernel::PendingOperation& operation : *operations) {
        DWORD flags = operation.flags & ~MOVEFILE_DELAY_UNTIL_REBOOT;
        const std::string* destination = operation.destination ? &*operation.destination : nullptr;
        if (!carry_out(operation.source, destination, flags)) {
            ++failures;
        }
    }
    return failures;
}
