// Host error numbers in Win32 terms.
#pragma once

#include "win32/base.h"

namespace vorn::kernel {

DWORD error_from_errno(int error);

// Sets the calling thread's last error from errno and gives FALSE, for a failed call.
BOOL fail_with_errno();

// A short English text for a Win32 error, for the platform's own programs to print.
const char* error_text(DWORD error);

} // namespace vorn::kernel
