// The uninstaller directory from the command line, and the character scans under it.
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

#include "operations.h"

#include "../common/scratch_root.h"

namespace {

void use_code_page(bool doubleByte) {
    if (doubleByte) {
        ::setenv("VORN_CODEPAGE", "932", 1);
    } else {
        ::unsetenv("VORN_CODEPAGE");
    }
}

struct DirCase {
    const char* what;
    bool doubleByte;
    std::string commandLine;
    const char* directory;
    int result;
};

TEST(GetUninstDir, Cases) {
    vorn::test::ScratchRoot root;
    const std::string tooLong = "UNINST.EXE -cC:\\" + std::string(250, 'A') + "\\PURGEX32.DLL";
    const std::string justFits = "UNINST.EXE -cC:\\" + std::string(237, 'A') + "\\P.DLL";
    ASSERT_EQ(justFits.size(), 259U);
    const DirCase cases[] = {
        {"quoted", false, "UNINST.EXE -c\"C:\\PROD\\PURGEX32.DLL\"", "C:\\PROD\\", 1},
        {"unquoted", false, "UNINST.EXE -cC:\\PROD\\PURGEX32.DLL", "C:\\PROD\\", 1},
        {"trailing option", false, "UNINST.EXE -c\"C:\\PROD\\PURGEX32.DLL\" -y", "C:\\PROD\\", 1},
        {"-c inside an earlier argument", false, "C:\\my-cache\\UNINST.EXE -c\"C:\\PROD\\X.DLL\"",
         "ache\\UNINST.EXE -c\"C:\\PROD\\", 1},
        {"no -c", false, "UNINST.EXE -C\"C:\\PROD\\X.DLL\"", "", 0},
        {"no backslash", false, "UNINST.EXE -cPURGEX32.DLL", "", 1},
        {"nothing after -c", false, "UNINST.EXE -c", "", 1},
        {"a lone quote after -c", false, "UNINST.EXE -c\"", "", 1},
        {"trail byte 0x5C, code page 932", true,
         "UNINST.EXE -c\"C:\\PROD\\DIR\\\x95\x5CPURGEX32.DLL\"", "C:\\PROD\\DIR\\", 1},
        {"the same bytes, single-byte code page", false,
         "UNINST.EXE -c\"C:\\PROD\\DIR\\\x95\x5CPURGEX32.DLL\"", "C:\\PROD\\DIR\\\x95\x5C", 1},
        {"double-byte directory name", true, "UNINST.EXE -cC:\\\x95\x5C\\PURGEX32.DLL",
         "C:\\\x95\x5C\\", 1},
        {"command line over 259 characters", false, tooLong, "", 0},
        {"command line of 259 characters", false, justFits, nullptr /* checked below */, 1},
    };
    for (const DirCase& c : cases) {
        use_code_page(c.doubleByte);
        char directory[MAX_PATH];
        std::memset(directory, 'x', sizeof directory);
        EXPECT_EQ(GetUninstDir(c.commandLine.c_str(), directory), c.result) << c.what;
        std::string expected =
            c.directory != nullptr ? c.directory : justFits.substr(13, justFits.size() - 13 - 5);
        EXPECT_EQ(directory, expected) << c.what;
    }
}

TEST(LastCharIs, Cases) {
    vorn::test::ScratchRoot root;
    struct Case {
        bool doubleByte;
        const char* text;
        char c;
        int result;
    } cases[] = {
        {false, "", '"', 0},          {false, "a\"", '"', 1},      {false, "\"a", '"', 0},
        {false, "\x95\x5C", '\\', 1}, {true, "\x95\x5C", '\\', 0}, {true, "\x95\x5C\\", '\\', 1},
        {true, "A\x95", '\x95', 0},
    };
    for (const Case& c : cases) {
        use_code_page(c.doubleByte);
        EXPECT_EQ(LastCharIs(c.text, c.c), c.result) << c.text;
    }
}

TEST(SplitAtLastChar, Cases) {
    vorn::test::ScratchRoot root;
    struct Case {
        bool doubleByte;
        const char* path;
        const char* directory;
        const char* remainder;
    } cases[] = {
        {false, "C:\\PROD\\X.DLL", "C:\\PROD\\", "X.DLL"},
        {false, "C:\\DIR\\", "C:\\DIR\\", ""},
        {false, "ABC", "", "ABC"},
        {false, "", "", ""},
        {false, "\\", "\\", ""},       // a lone separator is compared
        {false, "\\ABC", "", "\\ABC"}, // the first character of a longer path is not
        {true, "C:\\\x95\x5C", "C:\\", "\x95\x5C"},
        {true, "\x95\x5C", "", "\x95\x5C"},
    };
    for (const Case& c : cases) {
        use_code_page(c.doubleByte);
        char directory[MAX_PATH];
        char remainder[MAX_PATH];
        SplitAtLastChar(c.path, directory, remainder, '\\');
        EXPECT_STREQ(directory, c.directory) << c.path;
        EXPECT_STREQ(remainder, c.remainder) << c.path;
    }
}

} // namespace
