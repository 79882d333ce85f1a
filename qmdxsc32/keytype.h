// The name-space dialog: after a key or certificate file was chosen, asks which name
// space it belongs to and for a description that identifies it.
#pragma once

#include <afxwin.h>

class CKeyType : public CDialog {
public:
    // kind 1 uses the certificate wording; every other kind the private-key wording.
    explicit CKeyType(int kind, CWnd* parent = nullptr);
    ~CKeyType() override;

    // A description identifies the key in the key manager's lists; longer ones do not fit.
    static constexpr int kDescriptionChars = 32;

    CStatic m_prompt;
    CComboBox m_namespaceList;
    CString m_description;
    CString m_namespace; // the display name of the chosen name space
    int m_kind;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()
};
