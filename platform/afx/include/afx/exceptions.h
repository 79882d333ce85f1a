// The framework's exceptions, thrown as pointers and given back with Delete().
#pragma once

#include <windows.h>

class CException {
public:
    explicit CException(bool autoDelete = true) : m_bAutoDelete(autoDelete) {}
    virtual ~CException() = default;
    CException(const CException&) = delete;
    CException& operator=(const CException&) = delete;

    // Frees the exception unless it is a static one.
    void Delete();
    virtual BOOL GetErrorMessage(char* buffer, UINT size, UINT* helpContext = nullptr) const;
    // Tells the user in a message box, through the application.
    virtual int ReportError(UINT type = MB_OK, UINT messageId = 0) const;

protected:
    bool m_bAutoDelete;
};

class CMemoryException : public CException {
public:
    CMemoryException() : CException(false) {}
    BOOL GetErrorMessage(char* buffer, UINT size, UINT* helpContext = nullptr) const override;
};

class CNotSupportedException : public CException {
public:
    BOOL GetErrorMessage(char* buffer, UINT size, UINT* helpContext = nullptr) const override;
};

// The user has been told already (a failed validation, say): reporting adds nothing.
class CUserException : public CException {
public:
    int ReportError(UINT type = MB_OK, UINT messageId = 0) const override;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowUserException();
