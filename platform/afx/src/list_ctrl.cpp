#include "afx/list_ctrl.h"

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width) {
    LVCOLUMNA info{LVCF_TEXT | LVCF_FMT | (width >= 0 ? LVCF_WIDTH : 0U),
                   format,
                   width,
                   const_cast<char*>(heading),
                   0,
                   column};
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                                        reinterpret_cast<LPARAM>(&info)));
}

int CListCtrl::InsertItem(int item, const char* text) {
    LVITEMA info{LVIF_TEXT, item, 0, 0, 0, const_cast<char*>(text), 0};
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, const char* text) {
    LVITEMA info{LVIF_TEXT, item, subItem, 0, 0, const_cast<char*>(text), 0};
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
}
