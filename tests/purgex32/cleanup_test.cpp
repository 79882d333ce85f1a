// The uninstaller's files and directory, and the restart request.
#include <gtest/gtest.h>

#include "../common/scratch_root.h"
#include "kernel/privileges.h"
#include "operations.h"

namespace {

using vorn::test::ScratchRoot;

void write_uninstaller(const ScratchRoot& root) {
    for (const char* name : {"UNINST.EXE", "UNINSTAL.INI", "PURGEX32.DLL"}) {
        root.write(std::string("PROD/") + name, name);
    }
}

TEST(DeleteUninstFiles, FilesThenDirectory) {
    ScratchRoot root;
    write_uninstaller(root);
    EXPECT_EQ(DeleteUninstFiles("C:\\PROD\\"), 0);
    EXPECT_FALSE(root.exists("PROD"));
}

TEST(DeleteUninstFiles, DirectoryThatStillHoldsFilesStays) {
    ScratchRoot root;
    write_uninstaller(root);
    root.write("PROD/README.TXT", "mine");
    EXPECT_EQ(DeleteUninstFiles("C:\\PROD\\"), -1);
    EXPECT_FALSE(root.exists("PROD/UNINST.EXE"));
    EXPECT_FALSE(root.exists("PROD/UNINSTAL.INI"));
    EXPECT_FALSE(root.exists("PROD/PURGEX32.DLL"));
    EXPECT_EQ(root.read("PROD/README.TXT"), "mine");
}

TEST(DeleteUninstFiles, EmptyDirectoryUsesBareNames) {
    ScratchRoot root;
    write_uninstaller(root);
    ASSERT_EQ(::chdir(root.on_c("PROD").c_str()), 0);
    EXPECT_EQ(DeleteUninstFiles(""), -1);
    EXPECT_FALSE(root.exists("PROD/UNINST.EXE"));
    EXPECT_FALSE(root.exists("PROD/PURGEX32.DLL"));
    EXPECT_TRUE(root.exists("PROD"));
}

std::string restart_record(const ScratchRoot& root) {
    return ScratchRoot::read_host(root.root() + "/restart-requests").value_or("");
}

TEST(RestartWindows, NtEnablesTheShutdownPrivilegeFirst) {
    ScratchRoot root;
    EXPECT_TRUE(RestartWindows());
    EXPECT_TRUE(vorn::kernel::privilege_enabled("SeShutdownPrivilege"));
    std::string record = restart_record(root);
    EXPECT_NE(record.find(" reboot flags=0x2 "), std::string::npos) << record;
    EXPECT_NE(record.find("shutdown-privilege=enabled\n"), std::string::npos) << record;
}

TEST(RestartWindows, The95FamilyTouchesNoPrivilege) {
    ScratchRoot root;
    ::setenv("VORN_PLATFORM", "windows", 1);
    EXPECT_TRUE(RestartWindows());
    EXPECT_FALSE(vorn::kernel::privilege_enabled("SeShutdownPrivilege"));
    std::string record = restart_record(root);
    EXPECT_NE(record.find(" reboot flags=0x2 "), std::string::npos) << record;
    EXPECT_NE(record.find("shutdown-privilege=disabled\n"), std::string::npos) << record;
}

} // namespace
