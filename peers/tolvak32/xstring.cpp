// Xstring: a text held in its own copy until destruction.
#include <cstring>

#include "tolvak32.h"

namespace {

char* copy_text(const char* text) {
    if (text == nullptr) {
        text = "";
    }
    std::size_t size = std::strlen(text) + 1;
    char* copy = new char[size];
    std::memcpy(copy, text, size);
    return copy;
}

} // namespace

Xstring::Xstring(const char* text) : m_text(copy_text(text)) {}

Xstring::Xstring(const Xstring& other) : m_text(copy_text(other.m_text)) {}

Xstring& Xstring::operator=(const Xstring& other) {
    if (this != &other) {
        char* copy = copy_text(other.m_text);
        delete[] m_text;
        m_text = copy;
    }
    return *this;
}

Xstring::~Xstring() {
    delete[] m_text;
}
