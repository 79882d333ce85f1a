// Privileges are kept per process; a restart request is recorded, never carried out.
#include <gtest/gtest.h>

#include "../common/scratch_root.h"
#include "kernel/privileges.h"

namespace {

using vorn::test::ScratchRoot;

TEST(Privileges, EnabledThroughTheToken) {
    LUID luid{};
    ASSERT_TRUE(LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &luid));
    EXPECT_EQ(luid.LowPart, 19U);
    EXPECT_FALSE(LookupPrivilegeValueA(nullptr, "SeNoSuchPrivilege", &luid));
    EXPECT_EQ(GetLastError(), ERROR_NO_SUCH_PRIVILEGE);
    EXPECT_FALSE(LookupPrivilegeValueA("OTHERHOST", "SeShutdownPrivilege", &luid));

    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid = luid;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;

    HANDLE queryOnly = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &queryOnly));
    EXPECT_FALSE(AdjustTokenPrivileges(queryOnly, FALSE, &privileges, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(vorn::kernel::privilege_enabled("SeShutdownPrivilege"));
    CloseHandle(queryOnly);

    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), 0x28, &token));
    EXPECT_TRUE(AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_TRUE(CloseHandle(token));
    EXPECT_TRUE(vorn::kernel::privilege_enabled("SeShutdownPrivilege"));
}

TEST(Restart, RequestIsRecordedOneLineEach) {
    ScratchRoot root;
    EXPECT_TRUE(ExitWindowsEx(EWX_REBOOT, 0));
    EXPECT_TRUE(ExitWindowsEx(EWX_SHUTDOWN | EWX_FORCE, 0));
    auto record = ScratchRoot::read_host(root.root() + "/restart-requests");
    ASSERT_TRUE(record);
    auto firstEnd = record->find('\n');
    ASSERT_NE(firstEnd, std::string::npos);
    std::string first = record->substr(0, firstEnd);
    std::string second = record->substr(firstEnd + 1);
    EXPECT_NE(first.find(" reboot flags=0x2 "), std::string::npos) << first;
    EXPECT_NE(first.find(" shutdown-privilege=disabled"), std::string::npos) << first;
    EXPECT_NE(second.find(" shutdown force flags=0x5 "), std::string::npos) << second;
    EXPECT_EQ(second.back(), '\n');
    EXPECT_EQ(second.find('\n'), second.size() - 1);
}

} // namespace
