#include "afx/dialog.h"

#include "afx/app.h"
#include "afx/exceptions.h"
#include "afx/seams.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_nIDHelp(templateId), m_pParentWnd(parent), m_templateId(templateId) {
    vorn::afx::seams::check_dialog_construction();
}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    const HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    const INT_PTR code =
        ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_templateId), owner,
                          &CDialog::dialog_procedure, reinterpret_cast<LPARAM>(this));
    Detach();
    return code;
}

void CDialog::EndDialog(int result) {
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::OnInitDialog() {
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

INT_PTR CDialog::dialog_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->Attach(window);
        try {
            return dialog->OnInitDialog();
        } catch (CException* failure) {
            failure->ReportError();
            failure->Delete();
            return TRUE;
        }
    }
    CWnd* target = CWnd::FromHandle(window);
    if (message == WM_DESTROY) {
        // The controls' objects outlive their windows; they let go of them here.
        CWnd::DetachChildren(window);
        return FALSE;
    }
    LRESULT result = 0;
    return target && target->DispatchMessage(message, wParam, lParam, result) ? TRUE : FALSE;
}
