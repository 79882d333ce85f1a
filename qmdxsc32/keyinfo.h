// The certificate properties dialog: shows a key's or certificate's name and attributes
// and saves a changed description back to the key manager.
#pragma once

#include <afxwin.h>

#include "tolvak32.h"

class CKeyInfo : public CDialog {
public:
    // kind 0 uses the private-key title, every other kind the certificate title. The
    // name record and the attribute block (name/value strings, ended by an empty name;
    // may be null) stay the caller's and must outlive the dialog.
    CKeyInfo(int kind, vorn_name_t* nameRecord, const char* attributes, CWnd* parent = nullptr);
    ~CKeyInfo() override;

    CListCtrl m_attrList;
    CString m_description;
    CString m_name;
    vorn_name_t* m_pNameRecord;
    int m_kind;
    const char* m_pAttributes;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()

private:
    void ShowNameLine();
    void ShowAttributes();
};
