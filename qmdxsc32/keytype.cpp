#include "keytype.h"

#include "resource.h"

namespace {

// The one name space a key can be added for; the key manager names hosts by address.
const char* const kOfferedNamespace = "IPv4 Address";

} // namespace

BEGIN_MESSAGE_MAP(CKeyType, CDialog)
END_MESSAGE_MAP()

CKeyType::CKeyType(int kind, CWnd* parent)
    : CDialog(IDD_KEY_TYPE, parent), m_description(""), m_namespace(""), m_kind(kind) {}

CKeyType::~CKeyType() = default;

void CKeyType::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROMPT, m_prompt);
    DDX_Control(pDX, IDC_NAMESPACE, m_namespaceList);
    DDX_Text(pDX, IDC_DESCRIPTION, m_description);
    DDV_MaxChars(pDX, m_description, kDescriptionChars);
    DDX_CBString(pDX, IDC_NAMESPACE, m_namespace);
}

BOOL CKeyType::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_kind == 1) {
        CString title;
        title.LoadString(IDS_CERTIFICATE_TITLE);
        SetWindowText(title);
        CString prompt;
        prompt.LoadString(IDS_CERTIFICATE_PROMPT);
        m_prompt.SetWindowText(prompt);
    }
    m_namespaceList.AddString(kOfferedNamespace);
    m_namespaceList.SetCurSel(0);
    return TRUE;
}

void CKeyType::OnOK() {
    UpdateData(TRUE);
    CDialog::OnOK();
}
