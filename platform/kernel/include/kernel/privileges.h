// The process token's privileges, for the calls that depend on them and for tests.
#pragma once

#include <string_view>

namespace vorn::kernel {

// Whether the named privilege ("SeShutdownPrivilege") is enabled in the process token.
bool privilege_enabled(std::string_view name);

} // namespace vorn::kernel
