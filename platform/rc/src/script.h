// A resource script as the resource compiler reads it: dialogs and string tables.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorn::rc {

struct Control {
    std::string className;
    std::string text;
    long id = 0;
    long x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
};

struct Dialog {
    long id = 0;
    std::string caption;
    long x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::string fontName;
    long pointSize = 0;
    std::vector<Control> controls;
};

struct StringResource {
    long id = 0;
    std::string text;
};

struct Script {
    std::vector<Dialog> dialogs;
    std::vector<StringResource> strings;
};

// A fault in the script, with the file and line it is on.
struct SyntaxError {
    std::string file;
    int line;
    std::string why;
};

} // namespace vorn::rc
