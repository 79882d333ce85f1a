// The exports: each runs one dialog inside a region that turns the framework's
// exceptions into -1.
#include "qmdxsc32.h"

#include <cstring>
#include <direct.h>

#include "include/qmdxsc32.h"
#include "keyinfo.h"
#include "keytype.h"
#include "logindlg.h"
#include "vorn/tables.h"

BEGIN_MESSAGE_MAP(CConfigApp, CWinApp)
END_MESSAGE_MAP()

CConfigApp::CConfigApp() : CWinApp(nullptr) {}

namespace {
CConfigApp theApp;
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

// These keep their final form; their dialogs come with their own work.
int WINAPI ChgPasswd32(char*, char*, int) {
    return -1;
}

int WINAPI GenLocalKey32(char*, char*, int) {
    return -1;
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
    int result = -1;
    try {
        CFileDialog fileDialog(TRUE, kind == 0 ? "key" : "crt",
                               kind == 0 ? "c:\\*.key" : "c:\\*.crt",
                               OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                               kind == 0 ? "Private Keys (dh.key) ||" : "Certificates (*.crt) ||");
        INT_PTR endCode = fileDialog.DoModal();
        if (endCode == IDOK) {
            CKeyType keyType(kind);
            endCode = keyType.DoModal();
            if (endCode == IDOK) {
                std::strcpy(description, keyType.m_description);
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
        result = MapDialogResult(endCode);
    } catch (CException* failure) {
        failure->Delete();
        result = -1;
    }
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
    try {
        CKeyInfo dialog(kind, name, attributes);
        dialog.DoModal();
    } catch (CException* failure) {
        failure->Delete();
        return -1;
    }
    return 0;
}
}
