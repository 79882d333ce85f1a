#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <windows.h>

#include "kernel/handles.h"
#include "scratch_root.h"

namespace {

using vorn::test::ScratchRoot;

class FilesTest : public ::testing::Test {
protected:
    HANDLE open(const char* path, DWORD disposition, DWORD share = 0) {
        return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, share, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ScratchRoot m_root;
};

struct DispositionCase {
    const char* name;
    bool exists;
    DWORD disposition;
    bool opens;
    DWORD error;
    const char* contentsAfter; // null: the file does not exist afterwards
};

TEST_F(FilesTest, DispositionsOpenCreateAndTruncateAsWindowsDoes) {
    const DispositionCase cases[] = {
        {"create new, missing", false, CREATE_NEW, true, ERROR_SUCCESS, ""},
        {"create new, existing", true, CREATE_NEW, false, ERROR_FILE_EXISTS, "old"},
        {"create always, missing", false, CREATE_ALWAYS, true, ERROR_SUCCESS, ""},
        {"create always, existing", true, CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS, ""},
        {"open existing, missing", false, OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
        {"open existing, existing", true, OPEN_EXISTING, true, ERROR_SUCCESS, "old"},
        {"open always, missing", false, OPEN_ALWAYS, true, ERROR_SUCCESS, ""},
        {"open always, existing", true, OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS, "old"},
        {"truncate existing, existing", true, TRUNCATE_EXISTING, true, ERROR_SUCCESS, ""},
        {"truncate existing, missing", false, TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND,
         nullptr},
        {"no disposition", true, 0, false, ERROR_INVALID_PARAMETER, "old"},
    };
    for (const DispositionCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string host = m_root.drive_c() + "/case.txt";
        std::filesystem::remove(host);
        if (c.exists) {
            m_root.write("case.txt", "old");
        }
        HANDLE handle = open("C:\\case.txt", c.disposition);
        EXPECT_EQ(handle != INVALID_HANDLE_VALUE, c.opens);
        EXPECT_EQ(GetLastError(), c.error);
        if (handle != INVALID_HANDLE_VALUE) {
            EXPECT_TRUE(CloseHandle(handle));
        }
        if (c.contentsAfter == nullptr) {
            EXPECT_FALSE(std::filesystem::exists(host));
        } else {
            EXPECT_EQ(ScratchRoot::read_host(host).value_or(""), c.contentsAfter);
        }
    }
}

TEST_F(FilesTest, ShareModeZeroIsExclusiveWithinTheProcess) {
    HANDLE first = open("C:\\WININIT.INI", OPEN_ALWAYS);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    EXPECT_EQ(open("C:\\WININIT.INI", OPEN_ALWAYS, FILE_SHARE_READ), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    CloseHandle(first);
    HANDLE again = open("C:\\WININIT.INI", OPEN_ALWAYS);
    EXPECT_NE(again, INVALID_HANDLE_VALUE);
    CloseHandle(again);
}

TEST_F(FilesTest, ShareModeZeroIsExclusiveBetweenProcessesAndARefusedOpenChangesNothing) {
    m_root.write("held.ini", "[Rename]\r\n");
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    pid_t child = ::fork();
    if (child == 0) {
        HANDLE held = open("C:\\HELD.INI", OPEN_EXISTING, FILE_SHARE_READ);
        char byte = held != INVALID_HANDLE_VALUE ? 'y' : 'n';
        (void)!::write(ready[1], &byte, 1);
        (void)!::read(release[0], &byte, 1);
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ASSERT_EQ(byte, 'y');

    EXPECT_EQ(open("C:\\HELD.INI", CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(ScratchRoot::read_host(m_root.drive_c() + "/held.ini").value_or(""), "[Rename]\r\n");
    HANDLE shared = open("C:\\HELD.INI", OPEN_EXISTING, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_NE(shared, INVALID_HANDLE_VALUE);
    CloseHandle(shared);

    (void)!::write(release[1], &byte, 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    HANDLE after = open("C:\\HELD.INI", OPEN_EXISTING);
    EXPECT_NE(after, INVALID_HANDLE_VALUE);
    CloseHandle(after);
}

TEST_F(FilesTest, DeleteOnCloseRemovesTheFileWithItsHandle) {
    HANDLE handle = CreateFileA("C:\\TEMP.DAT", GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(std::filesystem::exists(m_root.drive_c() + "/TEMP.DAT"));
    CloseHandle(handle);
    EXPECT_FALSE(std::filesystem::exists(m_root.drive_c() + "/TEMP.DAT"));
}

TEST_F(FilesTest, BadPathsAndHandlesAreRefused) {
    EXPECT_EQ(open("Q:\\NOWHERE", OPEN_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(open(nullptr, OPEN_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(CloseHandle(reinterpret_cast<HANDLE>(0x1234)));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
    EXPECT_EQ(vorn::kernel::open_handle_count(), 0U);
}

} // namespace
