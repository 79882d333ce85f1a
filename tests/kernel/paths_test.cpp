#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

#include "kernel/paths.h"
#include "scratch_root.h"

namespace {

using vorn::kernel::host_path;
using vorn::kernel::windows_path;
using vorn::test::ScratchRoot;

class PathsTest : public ::testing::Test {
protected:
    // An empty drive C: the case lookups below see only what each test puts there.
    void SetUp() override { std::filesystem::remove_all(m_root.drive_c() + "/WINDOWS"); }
    void TearDown() override {
        ::unsetenv("VORN_DRIVE_D");
        ::unsetenv("VORN_DRIVE_C");
    }
    ScratchRoot m_root;
};

TEST_F(PathsTest, DriveCIsBelowTheRootAndZIsTheHostRoot) {
    EXPECT_EQ(host_path("C:\\WINDOWS\\X.INI"), m_root.drive_c() + "/WINDOWS/X.INI");
    EXPECT_EQ(host_path("c:/windows/x.ini"), m_root.drive_c() + "/windows/x.ini");
    EXPECT_EQ(host_path("Z:\\etc\\hostname"), "/etc/hostname");
    EXPECT_EQ(host_path("C:\\"), m_root.drive_c());
}

TEST_F(PathsTest, DriveVariablesAddAndOverrideDrives) {
    EXPECT_FALSE(host_path("D:\\A").has_value());
    ::setenv("VORN_DRIVE_D", (m_root.root() + "/dee/").c_str(), 1);
    EXPECT_EQ(host_path("d:\\A"), m_root.root() + "/dee/A");
    ::setenv("VORN_DRIVE_C", (m_root.root() + "/other").c_str(), 1);
    EXPECT_EQ(host_path("C:\\A"), m_root.root() + "/other/A");
}

TEST_F(PathsTest, MissingExactCaseIsFoundIgnoringCase) {
    m_root.write("Windows/System/Qmdxvorn.ini", "x");
    EXPECT_EQ(host_path("C:\\WINDOWS\\SYSTEM\\QMDXVORN.INI"),
              m_root.drive_c() + "/Windows/System/Qmdxvorn.ini");
}

TEST_F(PathsTest, ExactCaseWinsOverOtherCases) {
    m_root.write("dir/FILE", "upper");
    m_root.write("dir/file", "lower");
    EXPECT_EQ(host_path("C:\\DIR\\file"), m_root.drive_c() + "/dir/file");
    EXPECT_EQ(host_path("C:\\DIR\\FILE"), m_root.drive_c() + "/dir/FILE");
}

TEST_F(PathsTest, ComponentsThatDoNotExistAreKeptAsWritten) {
    m_root.write("Prod/a.txt", "");
    EXPECT_EQ(host_path("C:\\PROD\\New\\Deeper.TXT"), m_root.drive_c() + "/Prod/New/Deeper.TXT");
}

TEST_F(PathsTest, DotsAndRepeatedSeparatorsAreResolved) {
    EXPECT_EQ(host_path("C:\\A\\.\\B\\..\\\\C"), m_root.drive_c() + "/A/C");
    EXPECT_EQ(host_path("C:\\..\\..\\A"), m_root.drive_c() + "/A");
}

TEST_F(PathsTest, RelativePathsStartAtTheCurrentDirectory) {
    m_root.write("work/Data.Bin", "");
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(m_root.drive_c() + "/work");
    auto relative = host_path("DATA.BIN");
    auto rooted = host_path("\\work");
    std::filesystem::current_path(previous);
    EXPECT_EQ(relative, std::filesystem::canonical(m_root.drive_c()).string() + "/work/Data.Bin");
    EXPECT_EQ(rooted, m_root.drive_c() + "/work");
}

TEST_F(PathsTest, HostPathsTurnBackUnderTheLongestMappedDrive) {
    EXPECT_EQ(windows_path(m_root.drive_c() + "/WINDOWS/SYSTEM"), "C:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(windows_path(m_root.drive_c()), "C:\\");
    EXPECT_EQ(windows_path("/etc/hosts"), "Z:\\etc\\hosts");
    ::setenv("VORN_DRIVE_D", (m_root.drive_c() + "/sub").c_str(), 1);
    EXPECT_EQ(windows_path(m_root.drive_c() + "/sub/key.crt"), "D:\\key.crt");
    EXPECT_EQ(windows_path(m_root.drive_c() + "/subway"), "C:\\subway");
}

TEST_F(PathsTest, EmptyPathsAndUnmappedDrivesHaveNoHostPath) {
    EXPECT_FALSE(host_path("").has_value());
    EXPECT_FALSE(host_path("Q:\\X").has_value());
    EXPECT_FALSE(host_path("1:\\X").has_value());
}

TEST_F(PathsTest, TheWindowsDirectoryIsCreatedOnFirstUse) {
    auto windows = vorn::kernel::windows_directory();
    ASSERT_TRUE(windows.has_value());
    EXPECT_TRUE(std::filesystem::is_directory(*windows));
    EXPECT_EQ(*windows, m_root.drive_c() + "/WINDOWS");
}

} // namespace
