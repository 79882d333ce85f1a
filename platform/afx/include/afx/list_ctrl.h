// CListCtrl: a list view in report form.
#pragma once

#include "afx/wnd.h"

class CListCtrl : public CWnd {
public:
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1);
    int InsertItem(int item, const char* text);
    BOOL SetItemText(int item, int subItem, const char* text);
};
