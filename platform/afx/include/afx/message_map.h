// Message maps: each class lists the messages it handles; a lookup walks from the most
// derived class's map to its bases'. Entries call the handler through a small function
// made inside the class's own map, so protected handlers are reachable.
#pragma once

#include <windows.h>

class CCmdTarget;

using AFX_MSG_CALL = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode; // the notification code of WM_COMMAND entries
    UINT nID;
    UINT nLastID;
    AFX_MSG_CALL call;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;                                              \
                                                                                                   \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, nullptr }                                                                        \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries};                     \
    return &map;                                                                                   \
    }

#define ON_CONTROL(code, id, memberFxn)                                                            \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id),            \
     [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT {                                           \
         static_cast<ThisClass*>(target)->memberFxn();                                             \
         return 0;                                                                                 \
     }},

#define ON_COMMAND(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)

#define ON_WM_MOUSEMOVE()                                                                          \
    {WM_MOUSEMOVE, 0, 0, 0, [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT {      \
         static_cast<ThisClass*>(target)->OnMouseMove(                                             \
             static_cast<UINT>(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));       \
         return 0;                                                                                 \
     }},

#define ON_WM_CONTEXTMENU()                                                                        \
    {WM_CONTEXTMENU, 0, 0, 0, [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT {    \
         static_cast<ThisClass*>(target)->OnContextMenu(                                           \
             CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),                                     \
             CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));                                  \
         return 0;                                                                                 \
     }},

#define ON_WM_HELPINFO()                                                                           \
    {WM_HELP, 0, 0, 0, [](CCmdTarget* target, WPARAM, LPARAM lParam) -> LRESULT {                  \
         return static_cast<ThisClass*>(target)->OnHelpInfo(reinterpret_cast<HELPINFO*>(lParam));  \
     }},

#define ON_MESSAGE(message, memberFxn)                                                             \
    {static_cast<UINT>(message), 0, 0, 0,                                                          \
     [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT {                             \
         return static_cast<ThisClass*>(target)->memberFxn(wParam, lParam);                        \
     }},
