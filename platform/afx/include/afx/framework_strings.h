// The framework's own messages; a module's string table may override them.
#pragma once

#include <windows.h>

namespace vorn::afx {

constexpr UINT kStringTooLong = 61716; // "%1" is the limit
constexpr UINT kOutOfMemory = 61698;
constexpr UINT kUnknownError = 61699;
constexpr UINT kNotSupported = 61700;
constexpr UINT kAppTitle = 57344;

// The module's text for the id when it has one, else the framework's; "" for neither.
const char* framework_string(UINT id);

} // namespace vorn::afx
