// File operations by name and by handle, exclusive opens between processes, and the
// immediate form of MoveFileExA.
#include <gtest/gtest.h>

#include "../common/scratch_root.h"

namespace {

using vorn::test::ScratchRoot;

TEST(Files, ShareModeZeroIsExclusiveBetweenProcesses) {
    ScratchRoot root;
    root.write("DATA.TXT", "keep");
    vorn::test::ExclusiveHolder holder("C:\\DATA.TXT");
    ASSERT_TRUE(holder.holding());
    for (DWORD share : {DWORD{0}, FILE_SHARE_READ | FILE_SHARE_WRITE}) {
        HANDLE second = CreateFileA("C:\\DATA.TXT", GENERIC_READ, share, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_EQ(second, INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    }
    EXPECT_FALSE(DeleteFileA("C:\\DATA.TXT"));
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(root.read("DATA.TXT"), "keep");
    holder.release();
    EXPECT_TRUE(DeleteFileA("C:\\data.txt"));
    EXPECT_FALSE(root.exists("DATA.TXT"));
}

TEST(Files, SizePointerAndEnd) {
    ScratchRoot root;
    root.write("F.BIN", "0123456789");
    HANDLE file = CreateFileA("C:\\F.BIN", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD high = 7;
    EXPECT_EQ(GetFileSize(file, &high), 10U);
    EXPECT_EQ(high, 0U);
    EXPECT_EQ(SetFilePointer(file, 4, nullptr, FILE_BEGIN), 4U);
    EXPECT_EQ(SetFilePointer(file, -1, nullptr, FILE_CURRENT), 3U);
    EXPECT_TRUE(SetEndOfFile(file));
    EXPECT_EQ(GetFileSize(file, nullptr), 3U);
    EXPECT_EQ(SetFilePointer(file, -10, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
    EXPECT_EQ(SetFilePointer(file, 6, nullptr, FILE_END), 9U);
    EXPECT_TRUE(SetEndOfFile(file)); // extends with zero bytes
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(root.read("F.BIN"), std::string("012\0\0\0\0\0\0", 9));
    EXPECT_EQ(GetFileSize(file, nullptr), INVALID_FILE_SIZE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Files, AttributesDeletionAndDirectories) {
    ScratchRoot root;
    root.write("DIR/FILE.TXT", "x");
    EXPECT_EQ(GetFileAttributesA("C:\\DIR"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA("C:\\dir\\file.txt"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesA("C:\\DIR\\NONE.TXT"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    EXPECT_FALSE(RemoveDirectoryA("C:\\DIR"));
    EXPECT_EQ(GetLastError(), ERROR_DIR_NOT_EMPTY);
    EXPECT_FALSE(DeleteFileA("C:\\DIR"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(DeleteFileA("C:\\DIR\\NONE.TXT"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(DeleteFileA("C:\\DIR\\FILE.TXT"));
    EXPECT_TRUE(RemoveDirectoryA("C:\\DIR"));
    EXPECT_FALSE(root.exists("DIR"));
}

TEST(Files, DriveRootIsNeverRemoved) {
    ScratchRoot root;
    std::filesystem::remove_all(root.drive_c() + "/WINDOWS");
    for (const char* path : {"C:", "C:\\"}) {
        EXPECT_FALSE(RemoveDirectoryA(path)) << path;
        EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    }
    EXPECT_TRUE(std::filesystem::exists(root.drive_c()));
}

TEST(Files, ImmediateMoveHonoursTheReplaceFlag) {
    struct Case {
        DWORD flags;
        bool targetExists;
        bool moved;
        DWORD error;
    } cases[] = {
        {0, false, true, ERROR_SUCCESS},
        {0, true, false, ERROR_ALREADY_EXISTS},
        {MOVEFILE_REPLACE_EXISTING, true, true, ERROR_SUCCESS},
    };
    for (const Case& c : cases) {
        ScratchRoot root;
        root.write("A.BFP", "backup");
        if (c.targetExists) {
            root.write("A.DLL", "product");
        }
        EXPECT_EQ(MoveFileExA("C:\\A.BFP", "C:\\A.DLL", c.flags) != FALSE, c.moved) << c.flags;
        if (!c.moved) {
            EXPECT_EQ(GetLastError(), c.error);
        }
        EXPECT_EQ(root.read("A.DLL"), c.moved ? "backup" : "product");
        EXPECT_EQ(root.exists("A.BFP"), !c.moved);
    }
    ScratchRoot root;
    EXPECT_FALSE(MoveFileExA("C:\\MISSING", "C:\\B", 0));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    root.write("A", "a");
    EXPECT_FALSE(MoveFileExA("C:\\A", nullptr, 0)); // deleting needs the delay flag
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

} // namespace
