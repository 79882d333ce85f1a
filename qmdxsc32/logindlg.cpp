#include "logindlg.h"

#include "resource.h"
#include "tolvak32.h"

BEGIN_MESSAGE_MAP(CLogin, CDialog)
ON_WM_CONTEXTMENU()
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CLogin::CLogin(CWnd* parent) : CDialog(IDD_LOGIN, parent), m_password("") {}

// The typed password does not outlive the dialog: CString wipes its buffer when freed.
CLogin::~CLogin() = default;

void CLogin::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PASSWORD, m_passwordEdit);
    DDX_Text(pDX, IDC_PASSWORD, m_password);
}

BOOL CLogin::OnInitDialog() {
    CString title;
    title.LoadString(IDS_LOGIN_TITLE);
    SetWindowText(title);
    CDialog::OnInitDialog();
    return TRUE;
}

void CLogin::OnOK() {
    kmi_osT_ os{{-1, 0, 0}};
    keymgr_cli keyManager(20, os);
    CWaitCursor wait;
    UpdateData(TRUE);
    if (keyManager.login(0, m_password) != KMI_OK) {
        AfxMessageBox(IDS_LOGIN_INCORRECT, MB_OK);
        m_passwordEdit.SetFocus();
        m_passwordEdit.SendMessage(EM_SETSEL, 0, m_password.GetLength());
        m_passwordEdit.SendMessage(EM_SCROLLCARET);
        return;
    }
    CDialog::OnOK();
}

void CLogin::OnCancel() {
    EndDialog(IDCANCEL);
}

// Neither a menu nor help: the login stands alone.
void CLogin::OnContextMenu(CWnd*, CPoint) {}

BOOL CLogin::OnHelpInfo(HELPINFO*) {
    return TRUE;
}
