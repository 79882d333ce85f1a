#include "afx/wait_cursor.h"

#include "afx/app.h"

CWaitCursor::CWaitCursor() {
    if (CWinApp* app = AfxGetApp()) {
        app->BeginWaitCursor();
    }
}

CWaitCursor::~CWaitCursor() {
    if (m_waiting) {
        Restore();
    }
}

void CWaitCursor::Restore() {
    m_waiting = false;
    if (CWinApp* app = AfxGetApp()) {
        app->EndWaitCursor();
    }
}
