// What the terminal's bytes mean: keys, Alt+letter, and SGR mouse reports with motion.
#include <gtest/gtest.h>

#include "views/terminal_input.h"

namespace {

using vorn::views::decode_input;
using vorn::views::MouseButton;
using vorn::views::TermKey;

struct KeyCase {
    const char* bytes;
    TermKey key;
    char character;
    std::size_t used;
};

TEST(TerminalInput, KeysAndCharacters) {
    const KeyCase cases[] = {
        {"a", TermKey::character, 'a', 1},
        {" ", TermKey::character, ' ', 1},
        {"\xe9", TermKey::character, '\xe9', 1},
        {"\r", TermKey::enter, 0, 1},
        {"\t", TermKey::tab, 0, 1},
        {"\033[Z", TermKey::shift_tab, 0, 3},
        {"\x7f", TermKey::backspace, 0, 1},
        {"\033[3~", TermKey::del, 0, 4},
        {"\033[A", TermKey::up, 0, 3},
        {"\033OB", TermKey::down, 0, 3},
        {"\033[D", TermKey::left, 0, 3},
        {"\033[C", TermKey::right, 0, 3},
        {"\033OP", TermKey::f1, 0, 3},
        {"\033[11~", TermKey::f1, 0, 5},
        {"\033[1~", TermKey::home, 0, 4},
        {"\033[F", TermKey::end, 0, 3},
        {"\033p", TermKey::alt_letter, 'p', 2},
        {"\033[15~", TermKey::none, 0, 5},
        {"\x01", TermKey::none, 0, 1},
    };
    for (const KeyCase& c : cases) {
        const auto decoded = decode_input(c.bytes, false);
        EXPECT_EQ(decoded.event.key, c.key) << c.bytes + 1;
        EXPECT_EQ(decoded.event.character, c.character) << c.bytes + 1;
        EXPECT_EQ(decoded.used, c.used) << c.bytes + 1;
    }
}

TEST(TerminalInput, AnUnfinishedSequenceWaitsUnlessNothingMoreComes) {
    for (const char* start : {"\033", "\033[", "\033[<0;12", "\033[1"}) {
        EXPECT_EQ(decode_input(start, false).used, 0U) << start + 1;
        const auto alone = decode_input(start, true);
        EXPECT_EQ(alone.event.key, TermKey::escape) << start + 1;
        EXPECT_EQ(alone.used, 1U) << start + 1;
    }
    // Only the first event is taken; the rest waits for the next call.
    EXPECT_EQ(decode_input("\033[Ax", false).used, 3U);
}

struct MouseCase {
    const char* bytes;
    MouseButton button;
    bool pressed;
    bool motion;
    int column;
    int row;
};

TEST(TerminalInput, SgrMouseReports) {
    const MouseCase cases[] = {
        {"\033[<0;10;5M", MouseButton::left, true, false, 9, 4},
        {"\033[<0;10;5m", MouseButton::left, false, false, 9, 4},
        {"\033[<2;1;1M", MouseButton::right, true, false, 0, 0},
        {"\033[<35;120;40M", MouseButton::none, false, true, 119, 39},
        {"\033[<32;3;4M", MouseButton::left, false, true, 2, 3},
        {"\033[<64;7;8M", MouseButton::wheel_up, true, false, 6, 7},
        {"\033[<65;7;8M", MouseButton::wheel_down, true, false, 6, 7},
    };
    for (const MouseCase& c : cases) {
        const auto decoded = decode_input(c.bytes, false);
        ASSERT_EQ(decoded.event.key, TermKey::mouse) << c.bytes + 1;
        EXPECT_EQ(decoded.used, std::string(c.bytes).size());
        EXPECT_EQ(decoded.event.button, c.button) << c.bytes + 1;
        EXPECT_EQ(decoded.event.pressed, c.pressed) << c.bytes + 1;
        EXPECT_EQ(decoded.event.motion, c.motion) << c.bytes + 1;
        EXPECT_EQ(decoded.event.column, c.column) << c.bytes + 1;
        EXPECT_EQ(decoded.event.row, c.row) << c.bytes + 1;
    }
}

TEST(TerminalInput, MalformedMouseReportsAreDropped) {
    for (const char* bytes :
         {"\033[<0;0;5M", "\033[<0;5M", "\033[<0;1;2;3M", "\033[<0:1;1M", "\033[<0;99999999;1M"}) {
        const auto decoded = decode_input(bytes, false);
        EXPECT_EQ(decoded.event.key, TermKey::none) << bytes + 1;
        EXPECT_EQ(decoded.used, std::string(bytes).size()) << bytes + 1;
    }
}

} // namespace
