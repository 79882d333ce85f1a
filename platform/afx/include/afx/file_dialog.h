// CFileDialog: the platform's file dialog, shown by the view.
#pragma once

#include "afx/cstring.h"
#include "afx/dialog.h"

// Option flags of the file dialog.
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004

class CFileDialog : public CDialog {
public:
    // The filter is a list of "label|pattern|" pairs ended by an empty label ("||").
    explicit CFileDialog(BOOL openFileDialog, const char* defaultExtension = nullptr,
                         const char* fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         const char* filter = nullptr, CWnd* parent = nullptr);
    ~CFileDialog() override;

    // IDOK when a file was chosen, IDCANCEL when the person cancelled or there is no view
    // to show the dialog. Choosing a file makes its folder the current directory.
    INT_PTR DoModal() override;
    // The full Windows path of the chosen file.
    CString GetPathName() const { return m_pathName; }

private:
    BOOL m_openFileDialog;
    CString m_defaultExtension;
    CString m_fileName;
    DWORD m_flags;
    CString m_filter;
    CString m_pathName;
};
