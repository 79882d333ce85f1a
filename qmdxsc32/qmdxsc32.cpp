// The exports: each runs one dialog inside a region that turns the framework's
// exceptions into -1.
#include "qmdxsc32.h"

#include <cstring>
#include <direct.h>

#include "genlocal.h"
#include "include/qmdxsc32.h"
#include "keyinfo.h"
#include "keytype.h"
#include "logindlg.h"
#include "password.h"
#include "vorn/tables.h"

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

// The frame of every export: the framework's exceptions, raised while a dialog is built,
// run or destroyed or its results copied, end the call with -1.
template <typename Run> int guarded(Run run) {
    try {
        return run();
    } catch (CException* failure) {
        failure->Delete();
        return -1;
    }
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
    return guarded([] {
        CLogin dialog;
        return MapDialogResult(dialog.DoModal());
    });
}

// Change mode when the host gives a buffer for the old password, set mode without one.
// Without a buffer for the new password there is nowhere to put the result.
int WINAPI ChgPasswd32(char* newPassword, char* oldPassword, int) {
    if (!newPassword) {
        return -1;
    }
    return guarded([&] {
        CPassword dialog(nullptr, oldPassword != nullptr);
        const INT_PTR code = dialog.DoModal();
        if (code == IDOK) {
            copy_text(newPassword, dialog.m_newPassword, kPasswordBuffer);
            if (oldPassword) {
                copy_text(oldPassword, dialog.m_oldPassword, kPasswordBuffer);
            }
        }
        return MapDialogResult(code);
    });
}

int WINAPI GenLocalKey32(char* description, char* pool, int) {
    if (!description || !pool) {
        return -1;
    }
    return guarded([&] {
        CGenLocal dialog;
        const INT_PTR code = dialog.DoModal();
        if (code == IDOK) {
            copy_text(description, dialog.m_description, CGenLocal::kDescriptionChars + 1);
            std::memcpy(pool, dialog.m_pool, CGenLocal::kPoolChars);
        }
        return MapDialogResult(code);
    });
}

// Chooses a key or certificate file, then asks for its name space and description.
int WINAPI GetKeyPath32(int kind, char* path, unsigned char* nsid, char* description, int) {
    constexpr DWORD kPathSize = 128;
    if (!path || !nsid || !description) {
        return -1;
    }
    path[0] = '\0';
    // Choosing a file changes the current directory; it is put back on every path. One
    // that does not fit the buffer cannot be put back and is left as the dialog leaves it.
    char savedDirectory[256];
    const bool saved = _getcwd(savedDirectory, sizeof savedDirectory) != nullptr;
    const int result = guarded([&] {
        CFileDialog fileDialog(TRUE, kind == 0 ? "key" : "crt",
                               kind == 0 ? "c:\\*.key" : "c:\\*.crt",
                               OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                               kind == 0 ? "Private Keys (dh.key) ||" : "Certificates (*.crt) ||");
        INT_PTR endCode = fileDialog.DoModal();
        if (endCode == IDOK) {
            CKeyType keyType(kind);
            endCode = keyType.DoModal();
            if (endCode == IDOK) {
                copy_text(description, keyType.m_description, CKeyType::kDescriptionChars + 1);
                // A short form that does not fit the buffer is as good as none.
                const DWORD length = GetShortPathNameA(fileDialog.GetPathName(), path, kPathSize);
                if (length == 0 || length >= kPathSize) {
                    path[0] = '\0';
                    endCode = -1;
                } else {
                    vorn_nsid_by_name(keyType.m_namespace, nsid);
                }
            }
        }
        return MapDialogResult(endCode);
    });
    if (saved) {
        _chdir(savedDirectory);
    }
    return result;
}

// Shows a key's or certificate's attributes; a changed description goes to the key
// manager from the dialog itself.
int WINAPI ShowKeyAttr32(int kind, vorn_name_t* name, const char* attributes, int) {
    if (!name) {
        return -1;
    }
    return guarded([&] {
        CKeyInfo dialog(kind, name, attributes);
        dialog.DoModal();
        return 0;
    });
}
}
