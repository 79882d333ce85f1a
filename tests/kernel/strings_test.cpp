// wsprintfA's formats and lstrcmpA's case-sensitive comparison.
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

#include "../common/scratch_root.h"

namespace {

TEST(Strings, WsprintfFormats) {
    vorn::test::ScratchRoot root;
    char out[1024];
    EXPECT_EQ(wsprintfA(out, "%hs=%hs\r\n", "C:\\A.DLL", "C:\\A.BFP"), 19);
    EXPECT_STREQ(out, "C:\\A.DLL=C:\\A.BFP\r\n");
    wsprintfA(out, "%d|%u|%x|%X|%c|%%|%5s|%-4d|%04x|%.2s|%ld|%lu", -12, 4000000000U, 255U, 255U,
              'q', "ab", 7, 0xbeefU, "xyz", -3L, 5UL);
    EXPECT_STREQ(out, "-12|4000000000|ff|FF|q|%|   ab|7   |beef|xy|-3|5");
}

TEST(Strings, WsprintfNeverWritesBeyond1024) {
    vorn::test::ScratchRoot root;
    std::string longText(2000, 'x');
    char out[1100];
    out[1023] = '#';
    out[1024] = '#';
    EXPECT_EQ(wsprintfA(out, "%s", longText.c_str()), 1023);
    EXPECT_EQ(out[1023], '\0');
    EXPECT_EQ(out[1024], '#');
}

TEST(Strings, LstrcmpIsCaseSensitive) {
    vorn::test::ScratchRoot root;
    EXPECT_EQ(lstrcmpA("ZELQ.VXD", "ZELQ.VXD"), 0);
    EXPECT_NE(lstrcmpA("Zelq.Vxd", "ZELQ.VXD"), 0);
    EXPECT_LT(lstrcmpA("A", "B"), 0);
    EXPECT_GT(lstrcmpA("AB", "A"), 0);
}

} // namespace
