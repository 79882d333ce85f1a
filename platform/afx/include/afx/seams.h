// Test seams of the framework: compiled into the platform, never exported from a module.
#pragma once

namespace vorn::afx::seams {

// While set, building a dialog object runs out of memory (CMemoryException).
void fail_dialog_construction(bool fail);
// Throws when a test asked for it; called as a dialog object is built.
void check_dialog_construction();

} // namespace vorn::afx::seams
