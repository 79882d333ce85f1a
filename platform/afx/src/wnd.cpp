#include "afx/wnd.h"

#include <map>
#include <memory>
#include <vector>

#include "afx/app.h"
#include "afx/data_exchange.h"
#include "afx/exceptions.h"

namespace {

// Objects attached to windows, and the framework's temporary ones for the rest.
std::map<HWND, CWnd*>& permanent_map() {
    static std::map<HWND, CWnd*> map;
    return map;
}

std::map<HWND, std::unique_ptr<CWnd>>& temporary_map() {
    static std::map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

// Help topics of windows start here, so a dialog's topic is this plus its id.
constexpr ULONG_PTR kHelpBase = 0x20000;

} // namespace

CWnd::~CWnd() {
    Detach();
}

CWnd* CWnd::FromHandle(HWND window) {
    if (!window || !::IsWindow(window)) {
        return nullptr;
    }
    if (auto found = permanent_map().find(window); found != permanent_map().end()) {
        return found->second;
    }
    // Temporaries of windows that are gone are dropped as new ones are made.
    std::erase_if(temporary_map(), [](const auto& entry) { return !::IsWindow(entry.first); });
    auto& temporary = temporary_map()[window];
    if (!temporary) {
        temporary = std::make_unique<CWnd>();
        temporary->m_hWnd = window;
    }
    return temporary.get();
}

void CWnd::Attach(HWND window) {
    Detach();
    m_hWnd = window;
    if (window) {
        permanent_map()[window] = this;
    }
}

HWND CWnd::Detach() {
    const HWND window = m_hWnd;
    if (window) {
        auto found = permanent_map().find(window);
        if (found != permanent_map().end() && found->second == this) {
            permanent_map().erase(found);
        }
    }
    m_hWnd = nullptr;
    return window;
}

void CWnd::DetachChildren(HWND parent) {
    std::vector<CWnd*> attached;
    for (const auto& [window, object] : permanent_map()) {
        if (::GetParent(window) == parent) {
            attached.push_back(object);
        }
    }
    for (CWnd* object : attached) {
        object->Detach();
    }
}

CWnd* CWnd::GetDlgItem(int id) const {
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

void CWnd::GetWindowText(CString& text) const {
    const int length = GetWindowTextLength();
    ::GetWindowTextA(m_hWnd, text.GetBuffer(length), length + 1);
    text.ReleaseBuffer();
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    try {
        DoDataExchange(&exchange);
    } catch (CUserException* failure) {
        // The user has been told; the dialog stays as it is.
        failure->Delete();
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::OnHelpInfo(HELPINFO*) {
    if (CWinApp* app = AfxGetApp()) {
        app->WinHelp(kHelpBase + static_cast<ULONG_PTR>(GetDlgCtrlID()), HELP_CONTEXT);
    }
    return TRUE;
}

bool CWnd::DispatchMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, wParam);
    if (!entry) {
        return false;
    }
    const bool outerDefault = m_defaultRequested;
    m_defaultRequested = false;
    try {
        result = entry->call(this, wParam, lParam);
    } catch (CException* failure) {
        failure->ReportError();
        failure->Delete();
        result = 0;
    }
    const bool handled = !m_defaultRequested;
    m_defaultRequested = outerDefault;
    return handled;
}
