// The drive and path namespace: Windows paths onto host directories and back.
//
// C: is $VORN_ROOT/drive_c and Z: is / unless VORN_DRIVE_<L> says otherwise; VORN_ROOT
// defaults to $XDG_DATA_HOME/vorn or ~/.local/share/vorn. Read from the environment on
// every call, so a process (or a test) may change it at any time.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorn::kernel {

// $VORN_ROOT, or its default.
std::string root_directory();

// The host directory of a drive letter, or nothing when the letter is not mapped.
std::optional<std::string> drive_directory(char letter);

// The host path of a Windows path (absolute, drive-relative or relative to the current
// directory). A component that does not exist with its exact case is looked up
// case-insensitively; one that does not exist at all is kept as written. Nothing when
// the drive is not mapped or the path is empty.
std::optional<std::string> host_path(std::string_view windowsPath);

// The Windows form of a host path, under the longest mapped drive directory that holds
// it ("C:\DIR\FILE"); nothing when no drive holds it.
std::optional<std::string> windows_path(std::string_view hostPath);

// The host path of C:\WINDOWS, created (with its parents) when missing.
std::optional<std::string> windows_directory();

} // namespace vorn::kernel
