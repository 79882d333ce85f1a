// The bytes a terminal sends, read as keys, characters and mouse reports (SGR form).
#pragma once

#include <cstddef>
#include <string_view>

namespace vorn::views {

enum class TermKey {
    none, // a sequence we do not use
    character,
    enter,
    escape,
    tab,
    shift_tab,
    backspace,
    del,
    up,
    down,
    left,
    right,
    home,
    end,
    f1,
    f4,
    alt_letter,
    mouse,
};

enum class MouseButton { left, middle, right, none, wheel_up, wheel_down };

struct TermEvent {
    TermKey key = TermKey::none;
    char character = 0; // the character, or the letter of an Alt+letter
    MouseButton button = MouseButton::none;
    bool pressed = false; // a button went down (false: released, or a plain motion)
    bool motion = false;
    int column = 0; // mouse cell, 0-based
    int row = 0;
};

struct Decoded {
    TermEvent event;
    std::size_t used = 0; // 0: the bytes are the start of a sequence; wait for more
};

// Reads one event from the front of bytes. With complete set (no more bytes are coming
// soon), an unfinished sequence is taken as a lone Escape.
Decoded decode_input(std::string_view bytes, bool complete);

} // namespace vorn::views
