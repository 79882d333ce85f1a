#include "afx/seams.h"

#include "afx/exceptions.h"

namespace vorn::afx::seams {

namespace {
bool s_failDialogConstruction = false;
} // namespace

void fail_dialog_construction(bool fail) {
    s_failDialogConstruction = fail;
}

void check_dialog_construction() {
    if (s_failDialogConstruction) {
        AfxThrowMemoryException();
    }
}

} // namespace vorn::afx::seams
