#include "keyinfo.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "resource.h"
#include "vorn/tables.h"

namespace {

// The attribute that holds the description; it is edited, not listed.
const char* const kDescriptionAttribute = "DESCRIPTION";

constexpr int kNameColumnWidth = 200;
// Wider than the list, so long values can be scrolled to.
constexpr int kValueColumnWidth = 1536;

// Room for the longest name line: a name space 8 identifier, ":  " and its name.
constexpr std::size_t kNameLineSize = 132;

} // namespace

BEGIN_MESSAGE_MAP(CKeyInfo, CDialog)
END_MESSAGE_MAP()

CKeyInfo::CKeyInfo(int kind, vorn_name_t* nameRecord, const char* attributes, CWnd* parent)
    : CDialog(IDD_KEY_INFO, parent), m_description(""), m_name(""), m_pNameRecord(nameRecord),
      m_kind(kind), m_pAttributes(attributes) {}

CKeyInfo::~CKeyInfo() = default;

void CKeyInfo::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ATTRIBUTES, m_attrList);
    DDX_Text(pDX, IDC_DESCRIPTION, m_description);
    DDX_Text(pDX, IDC_NAME, m_name);
}

BOOL CKeyInfo::OnInitDialog() {
    CDialog::OnInitDialog();
    CString title;
    title.LoadString(m_kind == 0 ? IDS_PRIVATE_KEY_TITLE : IDS_CERTIFICATE_TITLE);
    SetWindowText(title);
    ShowNameLine();
    ShowAttributes();
    UpdateData(FALSE);
    return TRUE;
}

// The node identifier as text, ":  " and the name space's name. A name space without a
// name shows only the identifier; one beyond the table has no identifier text either.
void CKeyInfo::ShowNameLine() {
    char identifier[VORN_NODEID_TEXT_SIZE] = "";
    vorn_nodeid_to_text(&m_pNameRecord->node, m_pNameRecord->nsid, identifier);
    const char* space = vorn_nsid_name(m_pNameRecord->nsid);
    char line[kNameLineSize];
    std::snprintf(line, sizeof line, "%s:  %s", identifier, space ? space : "");
    m_name = line;
}

// One row per attribute in block order; the description goes to its own field, and of
// several the last one counts. The block carries no length, so a name whose value is
// missing cannot be told from one whose value is empty: an empty value ends the walk,
// which never reads beyond the zero byte that follows a name.
void CKeyInfo::ShowAttributes() {
    m_attrList.DeleteAllItems();
    CString heading;
    heading.LoadString(IDS_ATTRIBUTE_NAME);
    m_attrList.InsertColumn(0, heading, LVCFMT_LEFT, kNameColumnWidth);
    heading.LoadString(IDS_ATTRIBUTE_VALUE);
    m_attrList.InsertColumn(1, heading, LVCFMT_LEFT, kValueColumnWidth);
    if (!m_pAttributes) {
        return;
    }
    int row = 0;
    for (const char* at = m_pAttributes; *at != '\0';) {
        const char* name = at;
        const char* value = name + std::strlen(name) + 1;
        if (std::strcmp(name, kDescriptionAttribute) == 0) {
            m_description = value;
        } else {
            const int inserted = m_attrList.InsertItem(row++, name);
            if (inserted >= 0) {
                m_attrList.SetItemText(inserted, 1, value);
            }
        }
        if (*value == '\0') {
            break;
        }
        at = value + std::strlen(value) + 1;
    }
}

void CKeyInfo::OnOK() {
    kmi_osT_ os{{-1, 0, 0}};
    keymgr_cli keyManager(20, os);
    const CString shown = m_description;
    UpdateData(TRUE);
    if (m_description != shown) {
        std::unique_ptr<vorn_attrib> attribute;
        {
            // The attribute keeps its own copies of both texts.
            Xstring value(m_description);
            Xstring name(kDescriptionAttribute);
            attribute = std::make_unique<vorn_attrib>(VORN_ATTR_TEXT, name, value);
        }
        vorn_attrib* attributes = attribute.get();
        // A refused edit is not the dialog's to report; the dialog closes either way.
        keyManager.certEdit(*m_pNameRecord, &attributes);
    }
    CDialog::OnOK();
}
