// CWinApp: the one application object of a module. Its title captions every message
// box the module shows; message boxes go through it.
#pragma once

#include "afx/cmd_target.h"
#include "afx/cstring.h"

class CWinApp : public CCmdTarget {
public:
    // Without a name the title is the module's string 57344.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    const char* m_pszAppName;

    // Owned by the active dialog, captioned with the title; a box with standard buttons
    // and no icon of its own gets the exclamation icon.
    virtual int DoMessageBox(const char* prompt, UINT type, UINT helpId);
    virtual void WinHelp(ULONG_PTR data, UINT command = HELP_CONTEXT);
    void BeginWaitCursor();
    void EndWaitCursor();

private:
    CString m_title;
    int m_waitCount = 0;
    HCURSOR m_restoreCursor = nullptr;
};

CWinApp* AfxGetApp();
const char* AfxGetAppName();
HINSTANCE AfxGetResourceHandle();
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT stringId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));
