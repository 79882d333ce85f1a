// The library's application object and the result mapping shared by the exports.
#pragma once

#include <afxwin.h>

class CConfigApp : public CWinApp {
public:
    CConfigApp();

    DECLARE_MESSAGE_MAP()
};

// IDOK -> 0, IDCANCEL -> 1, anything else -> -1.
int MapDialogResult(INT_PTR endCode);
