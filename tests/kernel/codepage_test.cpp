// Moving through text by characters of the system code page.
#include <cstdlib>
#include <gtest/gtest.h>
#include <windows.h>

#include "../common/scratch_root.h"

namespace {

TEST(CodePage, SingleByteByDefault) {
    vorn::test::ScratchRoot root;
    ::unsetenv("VORN_CODEPAGE");
    const char text[] = "\x95\x5C"
                        "A";
    EXPECT_FALSE(IsDBCSLeadByte(0x95));
    EXPECT_EQ(CharNextA(text), text + 1);
    EXPECT_EQ(CharPrevA(text, text + 2), text + 1);
}

TEST(CodePage, DoubleByteCharactersMoveAsOne) {
    vorn::test::ScratchRoot root;
    ::setenv("VORN_CODEPAGE", "932", 1);
    struct Case {
        BYTE byte;
        bool lead;
    } cases[] = {{0x80, false}, {0x81, true}, {0x9F, true},  {0xA0, false}, {0xDF, false},
                 {0xE0, true},  {0xFC, true}, {0xFD, false}, {0x5C, false}, {0x41, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(IsDBCSLeadByte(c.byte) != FALSE, c.lead) << int{c.byte};
    }
    // "A", a character whose trail byte is 0x5C, "\".
    const char text[] = "A\x95\x5C\\";
    EXPECT_EQ(CharNextA(text), text + 1);
    EXPECT_EQ(CharNextA(text + 1), text + 3);
    EXPECT_EQ(CharPrevA(text, text + 3), text + 1);
    EXPECT_EQ(CharPrevA(text, text + 4), text + 3);
    EXPECT_EQ(CharPrevA(text, text), text);
    EXPECT_EQ(CharNextA(text + 4), text + 4); // the terminator stays
    // A lead byte right before the terminator is a character by itself.
    const char cut[] = "A\x95";
    EXPECT_EQ(CharNextA(cut + 1), cut + 2);
}

} // namespace
