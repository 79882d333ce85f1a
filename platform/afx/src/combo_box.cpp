#include "afx/combo_box.h"

void CComboBox::GetLBText(int index, CString& text) const {
    const auto length = static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)));
    if (length < 0) {
        text.Empty();
        return;
    }
    SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index),
                reinterpret_cast<LPARAM>(text.GetBuffer(length)));
    text.ReleaseBuffer();
}
