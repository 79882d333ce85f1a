// Process tokens: one set of privileges per process, all of them held and all disabled at
// the start. They gate nothing here; they are kept so that what a program enabled can be
// seen (the restart record shows the shutdown privilege).
#include <cstring>
#include <mutex>
#include <set>
#include <strings.h>

#include "kernel/handles.h"
#include "kernel/privileges.h"
#include "win32/security.h"

namespace {

struct Privilege {
    const char* name;
    DWORD value;
};

constexpr Privilege kPrivileges[] = {
    {"SeSystemtimePrivilege", 12}, {"SeBackupPrivilege", 17}, {"SeRestorePrivilege", 18},
    {"SeShutdownPrivilege", 19},   {"SeDebugPrivilege", 20},  {"SeRemoteShutdownPrivilege", 24},
};

std::mutex s_lock;
std::set<DWORD> s_enabled;

class TokenObject : public vorn::kernel::KernelObject {
public:
    explicit TokenObject(DWORD access) : m_access(access) {}
    DWORD access() const { return m_access; }

private:
    DWORD m_access;
};

const Privilege* find_privilege(DWORD value) {
    for (const Privilege& privilege : kPrivileges) {
        if (privilege.value == value) {
            return &privilege;
        }
    }
    return nullptr;
}

const HANDLE kCurrentProcess = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

} // namespace

namespace vorn::kernel {

bool privilege_enabled(std::string_view name) {
    std::lock_guard guard(s_lock);
    for (const Privilege& privilege : kPrivileges) {
        if (name == privilege.name) {
            return s_enabled.count(privilege.value) != 0;
        }
    }
    return false;
}

} // namespace vorn::kernel

HANDLE WINAPI GetCurrentProcess() {
    return kCurrentProcess;
}

BOOL WINAPI OpenProcessToken(HANDLE process, DWORD desiredAccess, PHANDLE token) {
    if (token == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (process != kCurrentProcess) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *token = vorn::kernel::insert_handle(std::make_shared<TokenObject>(desiredAccess));
    return TRUE;
}

BOOL WINAPI LookupPrivilegeValueA(LPCSTR systemName, LPCSTR name, PLUID luid) {
    if (name == nullptr || luid == nullptr || (systemName != nullptr && *systemName != '\0')) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    for (const Privilege& privilege : kPrivileges) {
        if (::strcasecmp(name, privilege.name) == 0) {
            luid->LowPart = privilege.value;
            luid->HighPart = 0;
            return TRUE;
        }
    }
    SetLastError(ERROR_NO_SUCH_PRIVILEGE);
    return FALSE;
}

BOOL WINAPI AdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES newState, DWORD,
                                  PTOKEN_PRIVILEGES previousState, LPDWORD) {
    auto object = vorn::kernel::find_handle_as<TokenObject>(token);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if ((object->access() & TOKEN_ADJUST_PRIVILEGES) == 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if ((!disableAll && newState == nullptr) || previousState != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard guard(s_lock);
    bool allAssigned = true;
    if (disableAll) {
        s_enabled.clear();
    } else {
        for (DWORD i = 0; i < newState->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES& entry = newState->Privileges[i];
            if (entry.Luid.HighPart != 0 || find_privilege(entry.Luid.LowPart) == nullptr) {
                allAssigned = false;
            } else if ((entry.Attributes & SE_PRIVILEGE_ENABLED) != 0) {
                s_enabled.insert(entry.Luid.LowPart);
            } else {
                s_enabled.erase(entry.Luid.LowPart);
            }
        }
    }
    SetLastError(allAssigned ? ERROR_SUCCESS : ERROR_NOT_ALL_ASSIGNED);
    return TRUE;
}
