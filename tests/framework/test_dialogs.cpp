#include "test_dialogs.h"

namespace {
// Message boxes are captioned with this application's title, string 57344.
CWinApp theApp;
} // namespace

BEGIN_MESSAGE_MAP(CExchangeDialog, CDialog)
ON_EN_CHANGE(IDC_SHORT, OnShortChange)
ON_EN_CHANGE(IDC_LONG, OnLongChange)
ON_BN_CLICKED(IDC_RESET, OnReset)
END_MESSAGE_MAP()

void CExchangeDialog::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_SHORT, m_short);
    DDV_MaxChars(pDX, m_short, 5);
    DDX_Text(pDX, IDC_LONG, m_long);
    DDX_CBString(pDX, IDC_CHOICE, m_choice);
}

BOOL CExchangeDialog::OnInitDialog() {
    CWnd* choice = GetDlgItem(IDC_CHOICE);
    choice->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Beta"));
    choice->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Alpha"));
    return CDialog::OnInitDialog();
}

BEGIN_MESSAGE_MAP(CNoCancelDialog, CDialog)
ON_BN_CLICKED(IDC_DISABLE_OK, OnDisableOk)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMouseDialog, CDialog)
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CThrowerDialog, CDialog)
ON_BN_CLICKED(IDC_THROW_MEMORY, OnThrowMemory)
ON_BN_CLICKED(IDC_THROW_USER, OnThrowUser)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CListsDialog, CDialog)
ON_BN_CLICKED(IDC_BEEP, OnBeep)
ON_BN_CLICKED(IDC_ASK, OnAsk)
END_MESSAGE_MAP()

BOOL CListsDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_list.DeleteAllItems();
    m_list.InsertColumn(0, "Attribute Name", LVCFMT_LEFT, 200);
    m_list.InsertColumn(1, "Attribute Value", LVCFMT_LEFT, 1536);
    const int second = m_list.InsertItem(0, "B");
    m_list.SetItemText(second, 1, "2");
    const int first = m_list.InsertItem(0, "A"); // before B
    m_list.SetItemText(first, 1, "1");
    return TRUE;
}
