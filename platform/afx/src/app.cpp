#include "afx/app.h"

#include "afx/framework_strings.h"
#include "user/resources.h"

namespace {

CWinApp* s_app = nullptr;

bool standard_buttons(UINT type) {
    const UINT buttons = type & MB_TYPEMASK;
    return buttons == MB_OK || buttons == MB_OKCANCEL || buttons == MB_YESNO ||
           buttons == MB_YESNOCANCEL;
}

} // namespace

CWinApp::CWinApp(const char* appName) {
    // The module's resources are constant data, ready before any constructor runs.
    m_title = appName ? appName : vorn::afx::framework_string(vorn::afx::kAppTitle);
    m_pszAppName = m_title;
    s_app = this;
}

CWinApp::~CWinApp() {
    if (s_app == this) {
        s_app = nullptr;
    }
}

int CWinApp::DoMessageBox(const char* prompt, UINT type, UINT) {
    if ((type & MB_ICONMASK) == 0 && standard_buttons(type)) {
        type |= MB_ICONEXCLAMATION;
    }
    return ::MessageBoxA(::GetActiveWindow(), prompt, m_pszAppName, type);
}

void CWinApp::WinHelp(ULONG_PTR data, UINT command) {
    ::WinHelpA(::GetActiveWindow(), m_pszAppName, command, data);
}

void CWinApp::BeginWaitCursor() {
    if (m_waitCount++ == 0) {
        m_restoreCursor = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    }
}

void CWinApp::EndWaitCursor() {
    if (m_waitCount > 0 && --m_waitCount == 0) {
        ::SetCursor(m_restoreCursor ? m_restoreCursor : ::LoadCursorA(nullptr, IDC_ARROW));
    }
}

CWinApp* AfxGetApp() {
    return s_app;
}

const char* AfxGetAppName() {
    return s_app ? s_app->m_pszAppName : "";
}

HINSTANCE AfxGetResourceHandle() {
    return reinterpret_cast<HINSTANCE>(
        const_cast<vorn::user::ResourceModule*>(vorn::user::own_resources()));
}

int AfxMessageBox(const char* text, UINT type, UINT helpId) {
    if (s_app) {
        return s_app->DoMessageBox(text, type, helpId);
    }
    return ::MessageBoxA(::GetActiveWindow(), text, nullptr, type);
}

int AfxMessageBox(UINT stringId, UINT type, UINT helpId) {
    CString text;
    text.LoadString(stringId);
    return AfxMessageBox(text, type, helpId == static_cast<UINT>(-1) ? stringId : helpId);
}
