// Devices: driver modules loaded on open, behind \\.\NAME.
#pragma once

#include <string_view>

#include "win32/base.h"

namespace vorn::kernel {

// True for a path of the form \\.\NAME.
bool is_device_path(std::string_view path);

// Opens the device NAME: loads <name lower-case>.so from the directories of
// VORN_DRIVER_PATH (colon-separated; default the install's lib/vorn/drivers) unless it
// is loaded already. With FILE_FLAG_DELETE_ON_CLOSE the module is unloaded when its last
// such handle closes. INVALID_HANDLE_VALUE when no module is found or it refuses to open.
HANDLE open_device(std::string_view path, DWORD flags);

} // namespace vorn::kernel
