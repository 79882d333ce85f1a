// The Set Password dialog: sets the key manager password for the first time (set mode)
// or changes it (change mode, which asks for the old one as well).
#pragma once

#include <afxwin.h>

class CPassword : public CDialog {
public:
    // change: nonzero for change mode.
    CPassword(CWnd* parent, int change);
    ~CPassword() override;

    // Dialog data; after IDOK the passwords hold at most 15 characters each.
    CEdit m_oldEdit;
    CButton m_okButton;
    CString m_newPassword;
    CString m_oldPassword;
    CString m_confirmPassword;
    int m_change;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnFieldChange();

    DECLARE_MESSAGE_MAP()

private:
    void UpdateOkButton();
    // After a failed attempt: every field empty, OK off until the user types again.
    void StartOver();
};
