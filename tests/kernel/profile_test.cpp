#include <gtest/gtest.h>
#include <string>

#include <windows.h>

#include "scratch_root.h"

namespace {

using vorn::test::ScratchRoot;

const char kProfile[] = "; setup's list\r\n"
                        "[Uninstall]\r\n"
                        "  File1 =  C:\\WINDOWS\\SYSTEM\\ZELQ.VXD  \r\n"
                        "file2=\"quoted value\"\r\n"
                        "FILE1=second of the same name\r\n"
                        "no equals sign\r\n"
                        "[other]\r\n"
                        "file1=other section\r\n"
                        "[UNINSTALL]\r\n"
                        "file3=later section of the same name\r\n";

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override { m_root.write("PROD/UNINSTAL.INI", kProfile); }

    std::string value(const char* section, const char* key, const char* fallback = "",
                      DWORD size = 260, DWORD* length = nullptr) {
        char buffer[260] = {};
        DWORD written = GetPrivateProfileStringA(section, key, fallback, buffer, size,
                                                 "C:\\PROD\\uninstal.ini");
        if (length != nullptr) {
            *length = written;
        }
        return std::string(buffer, written);
    }

    ScratchRoot m_root;
};

struct ValueCase {
    const char* section;
    const char* key;
    const char* fallback;
    const char* expected;
};

TEST_F(ProfileTest, ValuesFollowWindowsRules) {
    const ValueCase cases[] = {
        {"uninstall", "file1", "", "C:\\WINDOWS\\SYSTEM\\ZELQ.VXD"}, // names without case
        {"Uninstall", "FILE2", "", "quoted value"},                  // quotes taken off
        {"other", "File1", "", "other section"},
        {"uninstall", "file3", "dflt", "dflt"},     // only the first section counts
        {"uninstall", "missing", "dflt  ", "dflt"}, // default without trailing blanks
        {"nosuch", "file1", nullptr, ""},           // null default is empty
        {"uninstall", "no equals sign", "d", "d"},  // a line without '=' is no key
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(value(c.section, c.key, c.fallback), c.expected);
    }
}

TEST_F(ProfileTest, AValueIsCutToTheBuffer) {
    DWORD length = 0;
    EXPECT_EQ(value("uninstall", "file2", "", 6, &length), "quote");
    EXPECT_EQ(length, 5U);
}

TEST_F(ProfileTest, KeyNamesComeAsADoubleNulList) {
    DWORD length = 0;
    EXPECT_EQ(value("UNINSTALL", nullptr, "", 260, &length), std::string("File1\0file2\0", 12));
    EXPECT_EQ(length, 12U);
}

TEST_F(ProfileTest, ACutListStillEndsWithTwoNuls) {
    char buffer[8];
    DWORD length = GetPrivateProfileStringA("uninstall", nullptr, "", buffer, sizeof buffer,
                                            "C:\\PROD\\UNINSTAL.INI");
    EXPECT_EQ(length, 6U);
    EXPECT_EQ(std::string(buffer, 8), std::string("File1\0\0\0", 8));
}

TEST_F(ProfileTest, SectionNamesAndMissingThingsGiveLists) {
    EXPECT_EQ(value(nullptr, nullptr), std::string("Uninstall\0other\0UNINSTALL\0", 26));
    EXPECT_EQ(value("nosuch", nullptr), "");
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(GetPrivateProfileStringA("a", nullptr, "", buffer, 4, "C:\\MISSING.INI"), 0U);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], '\0');
}

TEST_F(ProfileTest, BareFileNamesAreInTheWindowsDirectory) {
    m_root.write("WINDOWS/WIN.INI", "[windows]\nload=yes\n");
    char buffer[16];
    EXPECT_EQ(GetPrivateProfileStringA("windows", "load", "", buffer, sizeof buffer, "win.ini"),
              3U);
    EXPECT_STREQ(buffer, "yes");
}

TEST_F(ProfileTest, ZeroBytesAtTheEndAreIgnored) {
    m_root.write("WINDOWS/WININIT.INI", std::string("[Rename]\r\nA=B\r\n\0\0\0", 18));
    char buffer[16];
    GetPrivateProfileStringA("rename", "a", "", buffer, sizeof buffer, "WININIT.INI");
    EXPECT_STREQ(buffer, "B");
}

} // namespace
