// The exports: each runs one dialog inside a region that turns the framework's
// exceptions into -1.
#include "qmdxsc32.h"

#include "include/qmdxsc32.h"
#include "logindlg.h"

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
