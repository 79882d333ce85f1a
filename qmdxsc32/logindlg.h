// The login dialog: asks for the key manager password until the key manager takes it.
#pragma once

#include <afxwin.h>

class CLogin : public CDialog {
public:
    explicit CLogin(CWnd* parent = nullptr);
    ~CLogin() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnContextMenu(CWnd* window, CPoint point);
    BOOL OnHelpInfo(HELPINFO* info);

    DECLARE_MESSAGE_MAP()

private:
    CEdit m_passwordEdit;
    CString m_password;
};
