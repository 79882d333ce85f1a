#include "afx/data_exchange.h"

#include <string>

#include "afx/app.h"
#include "afx/exceptions.h"
#include "afx/framework_strings.h"

namespace {

// Writes only a text that differs, so an unchanged field keeps its selection.
void set_text_if_changed(HWND control, const char* text) {
    CString current;
    CWnd::FromHandle(control)->GetWindowText(current);
    if (current != text) {
        ::SetWindowTextA(control, text);
    }
}

HWND control_of(CDataExchange* pDX, int id) {
    const HWND control = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id);
    if (!control) {
        AfxThrowNotSupportedException();
    }
    return control;
}

} // namespace

HWND CDataExchange::PrepareCtrl(int id) {
    const HWND control = control_of(this, id);
    m_idLastControl = id;
    m_bEditLastControl = FALSE;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    const HWND control = PrepareCtrl(id);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_idLastControl) {
        const HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl);
        ::SetFocus(control);
        if (m_bEditLastControl) {
            ::SendMessageA(control, EM_SETSEL, 0, -1);
        }
    }
    AfxThrowUserException();
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (!control.m_hWnd) {
        control.Attach(pDX->PrepareCtrl(id));
    }
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    const HWND control = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate) {
        CWnd::FromHandle(control)->GetWindowText(value);
    } else {
        set_text_if_changed(control, value);
    }
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxChars) {
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->m_bEditLastControl) {
            ::SendMessageA(::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, pDX->m_idLastControl), EM_LIMITTEXT,
                           static_cast<WPARAM>(maxChars), 0);
        }
        return;
    }
    if (value.GetLength() > maxChars) {
        CString message = vorn::afx::framework_string(vorn::afx::kStringTooLong);
        std::string text(message);
        const std::string limit = std::to_string(maxChars);
        for (auto at = text.find("%1"); at != std::string::npos;
             at = text.find("%1", at + limit.size())) {
            text.replace(at, 2, limit);
        }
        AfxMessageBox(text.c_str(), MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void DDX_CBString(CDataExchange* pDX, int id, CString& value) {
    const HWND combo = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate) {
        const auto selected = static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0));
        if (selected < 0) {
            value.Empty();
            return;
        }
        const auto length = static_cast<int>(
            ::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0));
        ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                       reinterpret_cast<LPARAM>(value.GetBuffer(length)));
        value.ReleaseBuffer();
    } else if (::SendMessageA(combo, CB_GETCOUNT, 0, 0) > 0) {
        // The first entry that begins with the value.
        ::SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(static_cast<const char*>(value)));
    }
}
