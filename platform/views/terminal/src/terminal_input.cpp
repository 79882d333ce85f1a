#include "views/terminal_input.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace vorn::views {

namespace {

constexpr char kEscape = '\033';

TermEvent key(TermKey which, char character = 0) {
    TermEvent event;
    event.key = which;
    event.character = character;
    return event;
}

// ESC [ < button ; column ; row (M press or motion, m release), 1-based cells.
TermEvent mouse_report(std::string_view parameters, char final) {
    int values[3] = {0, 0, 0};
    int index = 0;
    for (char c : parameters.substr(1)) {
        if (c == ';') {
            if (++index > 2) {
                return key(TermKey::none);
            }
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            values[index] = values[index] * 10 + (c - '0');
            if (values[index] > 100000) {
                return key(TermKey::none);
            }
        } else {
            return key(TermKey::none);
        }
    }
    if (index != 2 || values[1] < 1 || values[2] < 1) {
        return key(TermKey::none);
    }
    TermEvent event = key(TermKey::mouse);
    const int code = values[0];
    event.motion = (code & 32) != 0;
    if (code & 64) {
        event.button = (code & 1) ? MouseButton::wheel_down : MouseButton::wheel_up;
    } else {
        static constexpr MouseButton kButtons[] = {MouseButton::left, MouseButton::middle,
                                                   MouseButton::right, MouseButton::none};
        event.button = kButtons[code & 3];
    }
    event.pressed = final == 'M' && !event.motion && event.button != MouseButton::none;
    event.column = values[1] - 1;
    event.row = values[2] - 1;
    return event;
}

TermEvent tilde_key(std::string_view parameters) {
    const int number = std::atoi(std::string(parameters).c_str());
    switch (number) {
    case 1:
    case 7:
        return key(TermKey::home);
    case 3:
        return key(TermKey::del);
    case 4:
    case 8:
        return key(TermKey::end);
    case 11:
        return key(TermKey::f1);
    case 14:
        return key(TermKey::f4);
    default:
        return key(TermKey::none);
    }
}

TermEvent final_key(char introducer, std::string_view parameters, char final) {
    if (introducer == '[' && !parameters.empty() && parameters[0] == '<') {
        return (final == 'M' || final == 'm') ? mouse_report(parameters, final)
                                              : key(TermKey::none);
    }
    switch (final) {
    case 'A':
        return key(TermKey::up);
    case 'B':
        return key(TermKey::down);
    case 'C':
        return key(TermKey::right);
    case 'D':
        return key(TermKey::left);
    case 'H':
        return key(TermKey::home);
    case 'F':
        return key(TermKey::end);
    case 'Z':
        return key(TermKey::shift_tab);
    case 'P':
        return key(TermKey::f1);
    case 'S':
        return introducer == 'O' ? key(TermKey::f4) : key(TermKey::none);
    case '~':
        return tilde_key(parameters);
    default:
        return key(TermKey::none);
    }
}

// ESC [ or ESC O, parameter bytes, one final byte.
Decoded sequence(std::string_view bytes, bool complete) {
    const char introducer = bytes[1];
    std::size_t at = 2;
    while (at < bytes.size() && bytes[at] >= 0x20 && bytes[at] <= 0x3F) {
        ++at;
    }
    if (at == bytes.size()) {
        if (complete) {
            return {key(TermKey::escape), 1};
        }
        return {key(TermKey::none), 0};
    }
    const char final = bytes[at];
    if (final < 0x40 || final > 0x7E) {
        return {key(TermKey::none), at};
    }
    return {final_key(introducer, bytes.substr(2, at - 2), final), at + 1};
}

} // namespace

Decoded decode_input(std::string_view bytes, bool complete) {
    if (bytes.empty()) {
        return {key(TermKey::none), 0};
    }
    const char first = bytes[0];
    if (first == kEscape) {
        if (bytes.size() == 1) {
            return complete ? Decoded{key(TermKey::escape), 1} : Decoded{key(TermKey::none), 0};
        }
        const char second = bytes[1];
        if (second == '[' || second == 'O') {
            return sequence(bytes, complete);
        }
        if (std::isalnum(static_cast<unsigned char>(second))) {
            return {key(TermKey::alt_letter, second), 2};
        }
        return {key(TermKey::escape), 1};
    }
    switch (first) {
    case '\t':
        return {key(TermKey::tab), 1};
    case '\r':
    case '\n':
        return {key(TermKey::enter), 1};
    case '\x7f':
    case '\b':
        return {key(TermKey::backspace), 1};
    default:
        break;
    }
    if (static_cast<unsigned char>(first) < 0x20) {
        return {key(TermKey::none), 1};
    }
    return {key(TermKey::character, first), 1};
}

} // namespace vorn::views
