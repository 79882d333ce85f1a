// Data exchange between a dialog's members and its controls, in both directions.
#pragma once

#include "afx/cstring.h"
#include "afx/wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate; // TRUE: controls to members (and validate)
    CWnd* m_pDlgWnd;

    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // After the user was told why: the last control gets the focus, the exchange stops.
    [[noreturn]] void Fail();

    int m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
void DDX_Text(CDataExchange* pDX, int id, CString& value);
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxChars);
void DDX_CBString(CDataExchange* pDX, int id, CString& value);
