#include "password.h"

#include "resource.h"
#include "tolvak32.h"

namespace {

// What the key manager takes; the edits hold one more, so a 16th character can be seen
// and cut with a beep.
constexpr int kPasswordChars = 15;
constexpr int kFieldChars = 16;

void cut_to_limit(CString& value) {
    if (value.GetLength() > kPasswordChars) {
        value = value.Left(kPasswordChars);
        MessageBeep(MB_ICONEXCLAMATION);
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CPassword, CDialog)
ON_EN_CHANGE(IDC_OLD_PASSWORD, OnFieldChange)
ON_EN_CHANGE(IDC_NEW_PASSWORD, OnFieldChange)
ON_EN_CHANGE(IDC_CONFIRM_PASSWORD, OnFieldChange)
END_MESSAGE_MAP()

CPassword::CPassword(CWnd* parent, int change)
    : CDialog(IDD_SET_PASSWORD, parent), m_newPassword(""), m_oldPassword(""),
      m_confirmPassword(""), m_change(change) {}

// The typed passwords do not outlive the dialog: CString wipes its buffer when freed.
CPassword::~CPassword() = default;

void CPassword::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OLD_PASSWORD, m_oldEdit);
    DDX_Control(pDX, IDOK, m_okButton);
    DDX_Text(pDX, IDC_NEW_PASSWORD, m_newPassword);
    DDV_MaxChars(pDX, m_newPassword, kFieldChars);
    DDX_Text(pDX, IDC_OLD_PASSWORD, m_oldPassword);
    DDV_MaxChars(pDX, m_oldPassword, kFieldChars);
    DDX_Text(pDX, IDC_CONFIRM_PASSWORD, m_confirmPassword);
    DDV_MaxChars(pDX, m_confirmPassword, kFieldChars);
}

BOOL CPassword::OnInitDialog() {
    if (!CDialog::OnInitDialog()) {
        return FALSE;
    }
    m_okButton.EnableWindow(FALSE);
    if (!m_change) {
        m_oldEdit.EnableWindow(FALSE);
    }
    return TRUE;
}

void CPassword::OnFieldChange() {
    UpdateData(TRUE);
    cut_to_limit(m_oldPassword);
    cut_to_limit(m_newPassword);
    cut_to_limit(m_confirmPassword);
    UpdateOkButton();
    UpdateData(FALSE);
}

void CPassword::UpdateOkButton() {
    const bool filled = !m_newPassword.IsEmpty() && !m_confirmPassword.IsEmpty() &&
                        (!m_change || !m_oldPassword.IsEmpty());
    m_okButton.EnableWindow(filled ? TRUE : FALSE);
}

void CPassword::StartOver() {
    m_newPassword.Empty();
    m_oldPassword.Empty();
    m_confirmPassword.Empty();
    UpdateData(FALSE);
    // In set mode the old-password field is disabled, so the new one takes the focus.
    if (m_change) {
        m_oldEdit.SetFocus();
    } else if (CWnd* newEdit = GetDlgItem(IDC_NEW_PASSWORD)) {
        newEdit->SetFocus();
    }
    UpdateOkButton();
}

void CPassword::OnOK() {
    kmi_osT_ os{{-1, 0, 0}};
    keymgr_cli keyManager(20, os);
    if (!UpdateData(TRUE)) {
        return;
    }
    if (m_newPassword != m_confirmPassword) {
        AfxMessageBox(IDS_CONFIRMATION_FAILED, MB_OK);
        StartOver();
        return;
    }
    kmi_state state = KMI_STATE_FAILED;
    kmk_state keys = KMK_STATE_LOCKED;
    if (keyManager.probe(state, keys) != KMI_OK || state == KMI_STATE_FAILED ||
        state == KMI_STATE_STARTING) {
        // The host is handed the typed passwords all the same and may set them itself.
        AfxMessageBox(IDS_KEYMGR_NOT_WORKING, MB_OK);
        CDialog::OnOK();
        return;
    }
    if (keyManager.passwordSet(0, m_newPassword, m_oldPassword) != KMI_OK) {
        AfxMessageBox(IDS_INCORRECT_PASSWORD, MB_OK);
        StartOver();
        return;
    }
    CDialog::OnOK();
}
