// Small dialogs over the framework, each showing one group of its rules.
#pragma once

#include <afxwin.h>

#include <vector>

#include "test_resource.h"

class CExchangeDialog : public CDialog {
public:
    CExchangeDialog() : CDialog(IDD_EXCHANGE) {}

    CString m_short;
    CString m_long;
    CString m_choice;
    int m_shortChanges = 0;
    int m_longChanges = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnShortChange() { ++m_shortChanges; }
    void OnLongChange() { ++m_longChanges; }
    void OnReset() { GetDlgItem(IDC_LONG)->SetWindowText("reset by the program"); }

    DECLARE_MESSAGE_MAP()
};

class CNoCancelDialog : public CDialog {
public:
    CNoCancelDialog() : CDialog(IDD_NO_CANCEL) {}

    CString m_secret;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_SECRET, m_secret); }
    void OnDisableOk() { GetDlgItem(IDOK)->EnableWindow(FALSE); }

    DECLARE_MESSAGE_MAP()
};

class CMouseDialog : public CDialog {
public:
    CMouseDialog() : CDialog(IDD_MOUSE) {}

    std::vector<CPoint> m_moves;

protected:
    void OnMouseMove(UINT flags, CPoint point) {
        m_moves.push_back(point);
        Default();
    }

    DECLARE_MESSAGE_MAP()
};

class CThrowerDialog : public CDialog {
public:
    CThrowerDialog() : CDialog(IDD_THROWER) {}

    int m_attempts = 0;

protected:
    void OnThrowMemory() {
        ++m_attempts;
        AfxThrowMemoryException();
    }
    void OnThrowUser() {
        ++m_attempts;
        AfxThrowUserException();
    }

    DECLARE_MESSAGE_MAP()
};

class CFocusDialog : public CDialog {
public:
    CFocusDialog() : CDialog(IDD_FOCUS) {}

    CString m_second = "hello";
    CString m_third = "world";

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_SECOND, m_second);
        DDX_Text(pDX, IDC_THIRD, m_third);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        GetDlgItem(IDC_FIRST)->EnableWindow(FALSE);
        return TRUE;
    }
};

class CListsDialog : public CDialog {
public:
    CListsDialog() : CDialog(IDD_LISTS) {}

    int m_answer = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_LIST, m_list); }
    BOOL OnInitDialog() override;
    void OnBeep() { MessageBeep(MB_ICONEXCLAMATION); }
    void OnAsk() { m_answer = AfxMessageBox("Go on?", MB_YESNO); }

    DECLARE_MESSAGE_MAP()

private:
    CListCtrl m_list;
};
