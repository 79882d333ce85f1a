// vornboot: the platform's next start. Carries out the pending operations, then the
// renames of WININIT.INI; prints every operation and every failure, one per line.
// Exit status 0 when everything succeeded, 1 when something failed.
#include "boot.h"

int main() {
    int failures = run_pending_operations();
    failures += run_wininit();
    return failures == 0 ? 0 : 1;
}
