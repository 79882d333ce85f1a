#include "afx/cstring.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "afx/exceptions.h"
#include "user/wiping.h"

namespace {

void release(char* text, int capacity) {
    if (text) {
        vorn::user::wipe_memory(text, static_cast<std::size_t>(capacity) + 1);
        std::free(text);
    }
}

} // namespace

CString::CString() = default;

CString::CString(const char* text) {
    assign(text, text ? static_cast<int>(std::strlen(text)) : 0);
}

CString::CString(const CString& other) {
    assign(other.m_text, other.m_length);
}

CString::CString(CString&& other) noexcept
    : m_text(std::exchange(other.m_text, nullptr)), m_length(std::exchange(other.m_length, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)) {}

CString::~CString() {
    release(m_text, m_capacity);
}

CString& CString::operator=(const CString& other) {
    if (this != &other) {
        assign(other.m_text, other.m_length);
    }
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    if (this != &other) {
        release(m_text, m_capacity);
        m_text = std::exchange(other.m_text, nullptr);
        m_length = std::exchange(other.m_length, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
    }
    return *this;
}

CString& CString::operator=(const char* text) {
    // The text may lie inside this string's own buffer.
    const CString copy(text);
    return *this = copy;
}

CString& CString::operator+=(const char* text) {
    if (!text) {
        return *this;
    }
    const CString tail(text);
    reserve(m_length + tail.m_length);
    std::memcpy(m_text + m_length, tail.m_text ? tail.m_text : "",
                static_cast<std::size_t>(tail.m_length) + 1);
    m_length += tail.m_length;
    return *this;
}

void CString::Empty() {
    if (m_text) {
        vorn::user::wipe_memory(m_text, static_cast<std::size_t>(m_capacity) + 1);
    }
    m_length = 0;
}

CString CString::Left(int count) const {
    CString left;
    left.assign(m_text, count < 0 ? 0 : count > m_length ? m_length : count);
    return left;
}

int CString::Compare(const char* text) const {
    return std::strcmp(*this, text ? text : "");
}

BOOL CString::LoadString(UINT id) {
    char buffer[1024];
    const int length = LoadStringA(nullptr, id, buffer, sizeof buffer);
    assign(buffer, length);
    return length > 0 ? TRUE : FALSE;
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length < 0) {
        va_end(again);
        Empty();
        return;
    }
    CString formatted;
    formatted.reserve(length);
    std::vsnprintf(formatted.m_text, static_cast<std::size_t>(length) + 1, format, again);
    va_end(again);
    formatted.m_length = length;
    *this = std::move(formatted);
}

char* CString::GetBuffer(int minLength) {
    reserve(minLength > m_length ? minLength : m_length);
    return m_text;
}

void CString::ReleaseBuffer(int newLength) {
    if (!m_text) {
        return;
    }
    m_length = newLength < 0            ? static_cast<int>(std::strlen(m_text))
               : newLength > m_capacity ? m_capacity
                                        : newLength;
    m_text[m_length] = '\0';
}

void CString::assign(const char* text, int length) {
    reserve(length);
    if (length > 0) {
        std::memmove(m_text, text, static_cast<std::size_t>(length));
    }
    if (m_text) {
        m_text[length] = '\0';
    }
    m_length = length;
}

void CString::reserve(int capacity) {
    if (m_text && capacity <= m_capacity) {
        return;
    }
    auto* grown = static_cast<char*>(std::malloc(static_cast<std::size_t>(capacity) + 1));
    if (!grown) {
        AfxThrowMemoryException();
    }
    if (m_text) {
        std::memcpy(grown, m_text, static_cast<std::size_t>(m_length) + 1);
    } else {
        grown[0] = '\0';
    }
    release(m_text, m_capacity);
    m_text = grown;
    m_capacity = capacity;
}
