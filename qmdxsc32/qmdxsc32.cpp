// The exports: each runs one dialog inside a region that turns the framework's
// exceptions into -1.
#include "qmdxsc32.h"

#include <cstring>

#include "genlocal.h"
#include "include/qmdxsc32.h"
#include "logindlg.h"
#include "password.h"

BEGIN_MESSAGE_MAP(CConfigApp, CWinApp)
END_MESSAGE_MAP()

CConfigApp::CConfigApp() : CWinApp(nullptr) {}

namespace {

CConfigApp theApp;

// The largest buffers the hosts are promised: 15 password characters, 64 description
// characters, each with its terminator. The dialogs keep within them; the copy makes
// sure of it.
constexpr std::size_t kPasswordBuffer = 16;

void copy_text(char* buffer, const char* text, std::size_t size) {
    const std::size_t length = strnlen(text, size - 1);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
}

} // namespace

int MapDialogResult(INT_PTR endCode) {
    switch (endCode) {
    case IDOK:
        return 0;
    case IDCANCEL:
        return 1;
    default:
        return -1;
    }
}

extern "C" {

int WINAPI Login32(int) {
    int result = -1;
    try {
        CLogin dialog;
        result = MapDialogResult(dialog.DoModal());
    } catch (CException* failure) {
        failure->Delete();
        result = -1;
    }
    return result;
}

// Change mode when the host gives a buffer for the old password, set mode without one.
// Without a buffer for the new password there is nowhere to put the result.
int WINAPI ChgPasswd32(char* newPassword, char* oldPassword, int) {
    if (!newPassword) {
        return -1;
    }
    int result = -1;
    try {
        CPassword dialog(nullptr, oldPassword != nullptr);
        const INT_PTR code = dialog.DoModal();
        if (code == IDOK) {
            copy_text(newPassword, dialog.m_newPassword, kPasswordBuffer);
            if (oldPassword) {
                copy_text(oldPassword, dialog.m_oldPassword, kPasswordBuffer);
            }
        }
        result = MapDialogResult(code);
    } catch (CException* failure) {
        failure->Delete();
        result = -1;
    }
    return result;
}

int WINAPI GenLocalKey32(char* description, char* pool, int) {
    if (!description || !pool) {
        return -1;
    }
    int result = -1;
    try {
        CGenLocal dialog;
        const INT_PTR code = dialog.DoModal();
        if (code == IDOK) {
            copy_text(description, dialog.m_description, CGenLocal::kDescriptionChars + 1);
            std::memcpy(pool, dialog.m_pool, CGenLocal::kPoolChars);
        }
        result = MapDialogResult(code);
    } catch (CException* failure) {
        failure->Delete();
        result = -1;
    }
    return result;
}

int WINAPI GetKeyPath32(int, char* path, unsigned char*, char*, int) {
    if (path) {
        path[0] = '\0';
    }
    return -1;
}

int WINAPI ShowKeyAttr32(int, vorn_name_t*, const char*, int) {
    return -1;
}
}
