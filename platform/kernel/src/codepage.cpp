// The system code page's lead bytes, read from VORN_CODEPAGE on every call.
#include <cstdlib>
#include <cstring>

#include "win32/codepage.h"

namespace {

bool double_byte_code_page() {
    const char* page = std::getenv("VORN_CODEPAGE");
    return page != nullptr && std::strcmp(page, "932") == 0;
}

} // namespace

BOOL WINAPI IsDBCSLeadByte(BYTE testChar) {
    if (!double_byte_code_page()) {
        return FALSE;
    }
    return (testChar >= 0x81 && testChar <= 0x9F) || (testChar >= 0xE0 && testChar <= 0xFC);
}

LPSTR WINAPI CharNextA(LPCSTR current) {
    if (*current == '\0') {
        return const_cast<LPSTR>(current);
    }
    // A lead byte just before the terminator stands alone.
    if (IsDBCSLeadByte(static_cast<BYTE>(*current)) && current[1] != '\0') {
        return const_cast<LPSTR>(current + 2);
    }
    return const_cast<LPSTR>(current + 1);
}

LPSTR WINAPI CharPrevA(LPCSTR start, LPCSTR current) {
    if (current <= start) {
        return const_cast<LPSTR>(start);
    }
    // A trail byte cannot be told from a lead byte by itself, so walk from the start.
    LPCSTR position = start;
    for (;;) {
        LPCSTR next = CharNextA(position);
        if (next >= current || next == position) {
            return const_cast<LPSTR>(position);
        }
        position = next;
    }
}
