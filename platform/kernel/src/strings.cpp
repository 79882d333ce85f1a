// wsprintfA and lstrcmpA. Each conversion is handed to snprintf on its own, so the
// output is bounded by the 1024 characters wsprintfA may write.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "win32/strings.h"

namespace {

constexpr std::size_t kOutputLimit = 1024;

struct Conversion {
    std::string directive; // "%" flags width precision, ready for the C type letter
    char type = '\0';
};

// Reads one conversion after '%'; the pointer ends on its type letter (or the terminator).
Conversion read_conversion(const char*& p) {
    Conversion conversion;
    conversion.directive = "%";
    while (*p == '-' || *p == '0' || *p == '#') {
        conversion.directive += *p++;
    }
    while (*p >= '0' && *p <= '9') {
        conversion.directive += *p++;
    }
    if (*p == '.') {
        conversion.directive += *p++;
        while (*p >= '0' && *p <= '9') {
            conversion.directive += *p++;
        }
    }
    // l and h: every integer is 32 bits and every string 8-bit here.
    if (*p == 'l' || *p == 'h') {
        ++p;
    }
    conversion.type = *p;
    return conversion;
}

std::string format_one(const Conversion& conversion, va_list& arguments) {
    char piece[kOutputLimit];
    std::string directive = conversion.directive;
    switch (conversion.type) {
    case 's': {
        const char* text = va_arg(arguments, const char*);
        std::snprintf(piece, sizeof piece, (directive + "s").c_str(),
                      text != nullptr ? text : "(null)");
        break;
    }
    case 'c':
        std::snprintf(piece, sizeof piece, (directive + "c").c_str(), va_arg(arguments, int));
        break;
    case 'd':
    case 'i':
        std::snprintf(piece, sizeof piece, (directive + "d").c_str(), va_arg(arguments, int));
        break;
    case 'u':
    case 'x':
    case 'X':
        std::snprintf(piece, sizeof piece, (directive + conversion.type).c_str(),
                      va_arg(arguments, unsigned));
        break;
    default:
        // Unknown: written as it stands, nothing consumed.
        return directive + conversion.type;
    }
    return piece;
}

} // namespace

int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...) {
    if (buffer == nullptr || format == nullptr) {
        return 0;
    }
    va_list arguments;
    va_start(arguments, format);
    std::string out;
    for (const char* p = format; *p != '\0' && out.size() < kOutputLimit; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        ++p;
        if (*p == '%') {
            out += '%';
            continue;
        }
        Conversion conversion = read_conversion(p);
        if (conversion.type == '\0') {
            break;
        }
        out += format_one(conversion, arguments);
    }
    va_end(arguments);
    if (out.size() > kOutputLimit - 1) {
        out.resize(kOutputLimit - 1);
    }
    std::memcpy(buffer, out.c_str(), out.size() + 1);
    return static_cast<int>(out.size());
}

int WINAPI lstrcmpA(LPCSTR first, LPCSTR second) {
    if (first == nullptr || second == nullptr) {
        return first == second ? 0 : first == nullptr ? -1 : 1;
    }
    int result = std::strcmp(first, second);
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}
