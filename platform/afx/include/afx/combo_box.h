// CComboBox: a combo box.
#pragma once

#include "afx/wnd.h"

class CComboBox : public CWnd {
public:
    int AddString(const char* text) {
        return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) {
        return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
    }
    void GetLBText(int index, CString& text) const;
    int FindString(int start, const char* prefix) const {
        return static_cast<int>(SendMessage(CB_FINDSTRING, static_cast<WPARAM>(start),
                                            reinterpret_cast<LPARAM>(prefix)));
    }
    int SelectString(int start, const char* prefix) {
        return static_cast<int>(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(start),
                                            reinterpret_cast<LPARAM>(prefix)));
    }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
};
