// CDialog: a modal dialog from a template of the module's resources.
#pragma once

#include "afx/wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // The end code: IDOK, IDCANCEL, or -1 when the dialog cannot be created.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

protected:
    // Writes the members into the controls; TRUE lets the dialog manager give the first
    // tab stop the focus.
    virtual BOOL OnInitDialog();
    // Reads and checks the controls; ends with IDOK only when they pass.
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR dialog_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    UINT m_templateId;
};
