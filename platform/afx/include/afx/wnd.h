// CWnd: a C++ object over a window of the window model.
#pragma once

#include "afx/cmd_target.h"
#include "afx/cstring.h"
#include "afx/point.h"

class CDataExchange;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    // The object attached to a window; a temporary one, owned by the framework, for a
    // window nothing is attached to. Null for no window.
    static CWnd* FromHandle(HWND window);
    HWND GetSafeHwnd() const { return m_hWnd; }
    void Attach(HWND window);
    // Lets the objects attached to a window's controls go of them, as it is destroyed.
    static void DetachChildren(HWND parent);
    HWND Detach();

    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Runs the handler the message map names; false when the message is left to the
    // window's default processing. A framework exception from a handler is reported and
    // the window goes on.
    bool DispatchMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Inside a handler: let the default processing run after it.
    void Default() { m_defaultRequested = true; }

    void OnMouseMove(UINT flags, CPoint point) { Default(); }
    void OnContextMenu(CWnd* window, CPoint point) { Default(); }
    BOOL OnHelpInfo(HELPINFO* info);

private:
    bool m_defaultRequested = false;
};
