// CString: an 8-bit text that owns its buffer. Its memory is overwritten before it is
// freed, so passwords held in one do not linger; running out of memory throws
// CMemoryException.
#pragma once

#include <windows.h>

class CString {
public:
    CString();
    CString(const char* text);
    CString(const CString& other);
    CString(CString&& other) noexcept;
    ~CString();
    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const char* text);
    CString& operator+=(const char* text);

    operator const char*() const { return m_text ? m_text : ""; }
    int GetLength() const { return m_length; }
    bool IsEmpty() const { return m_length == 0; }
    void Empty();
    CString Left(int count) const;
    int Compare(const char* text) const;
    BOOL LoadString(UINT id);
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Room for at least minLength characters; ReleaseBuffer takes the text up to its
    // terminator (or newLength characters) as the new content.
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

private:
    void assign(const char* text, int length);
    void reserve(int capacity);

    char* m_text = nullptr;
    int m_length = 0;
    int m_capacity = 0;
};

inline bool operator==(const CString& a, const char* b) {
    return a.Compare(b) == 0;
}
inline bool operator!=(const CString& a, const char* b) {
    return a.Compare(b) != 0;
}
inline bool operator==(const CString& a, const CString& b) {
    return a.Compare(b) == 0;
}
inline bool operator!=(const CString& a, const CString& b) {
    return a.Compare(b) != 0;
}
