#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include <direct.h>
#include <windows.h>

#include "scratch_root.h"

namespace {

using vorn::test::ScratchRoot;

TEST(ShortPathTest, AnExistingFileGivesItsFullWindowsPathAsTheHostSpellsIt) {
    ScratchRoot root;
    root.write("Keys/dh.key", "k");
    char buffer[128];
    DWORD length = GetShortPathNameA("c:\\KEYS\\.\\DH.KEY", buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "C:\\Keys\\dh.key");
    EXPECT_EQ(length, std::string("C:\\Keys\\dh.key").size());
}

TEST(ShortPathTest, AMissingFileFailsAndASmallBufferGetsTheSizeNeeded) {
    ScratchRoot root;
    root.write("Keys/dh.key", "k");
    char buffer[8] = "unused";
    EXPECT_EQ(GetShortPathNameA("C:\\Keys\\missing.key", buffer, sizeof buffer), 0U);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetShortPathNameA("C:\\Keys\\dh.key", buffer, sizeof buffer),
              std::string("C:\\Keys\\dh.key").size() + 1);
    EXPECT_STREQ(buffer, "unused");
}

TEST(ShortPathTest, RelativeNamesAreTakenFromTheCurrentDirectory) {
    ScratchRoot root;
    root.write("Keys/dh.key", "k");
    char saved[256];
    ASSERT_NE(_getcwd(saved, sizeof saved), nullptr);
    ASSERT_EQ(_chdir((root.drive_c() + "/Keys").c_str()), 0);
    char buffer[128];
    DWORD length = GetShortPathNameA("dh.key", buffer, sizeof buffer);
    EXPECT_EQ(_chdir(saved), 0);
    EXPECT_GT(length, 0U);
    EXPECT_STREQ(buffer, "C:\\Keys\\dh.key");
}

TEST(CurrentDirectoryTest, TooSmallBuffersAndMissingDirectoriesFail) {
    char tiny[2];
    EXPECT_EQ(_getcwd(tiny, sizeof tiny), nullptr);
    EXPECT_EQ(_chdir("/nonexistent/directory"), -1);
    EXPECT_EQ(_chdir(nullptr), -1);
}

} // namespace
