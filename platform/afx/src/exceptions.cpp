#include "afx/exceptions.h"

#include <cstring>

#include "afx/app.h"
#include "afx/framework_strings.h"

namespace {

BOOL copy_message(const char* text, char* buffer, UINT size) {
    if (!buffer || size == 0) {
        return FALSE;
    }
    std::strncpy(buffer, text, size - 1);
    buffer[size - 1] = '\0';
    return TRUE;
}

// Out of memory is reported without allocating, so it is one static object.
CMemoryException s_memoryException;

} // namespace

void CException::Delete() {
    if (m_bAutoDelete) {
        delete this;
    }
}

BOOL CException::GetErrorMessage(char* buffer, UINT size, UINT* helpContext) const {
    if (helpContext) {
        *helpContext = 0;
    }
    return copy_message(vorn::afx::framework_string(vorn::afx::kUnknownError), buffer, size);
}

int CException::ReportError(UINT type, UINT messageId) const {
    char message[256];
    if (GetErrorMessage(message, sizeof message)) {
        return AfxMessageBox(message, type);
    }
    return AfxMessageBox(messageId ? messageId : vorn::afx::kUnknownError, type);
}

BOOL CMemoryException::GetErrorMessage(char* buffer, UINT size, UINT* helpContext) const {
    if (helpContext) {
        *helpContext = 0;
    }
    return copy_message(vorn::afx::framework_string(vorn::afx::kOutOfMemory), buffer, size);
}

BOOL CNotSupportedException::GetErrorMessage(char* buffer, UINT size, UINT* helpContext) const {
    if (helpContext) {
        *helpContext = 0;
    }
    return copy_message(vorn::afx::framework_string(vorn::afx::kNotSupported), buffer, size);
}

int CUserException::ReportError(UINT, UINT) const {
    return 0;
}

void AfxThrowMemoryException() {
    throw &s_memoryException;
}

void AfxThrowNotSupportedException() {
    throw new CNotSupportedException;
}

void AfxThrowUserException() {
    throw new CUserException;
}
