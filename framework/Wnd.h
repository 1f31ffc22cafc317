// CWnd: one object bound to one window handle, with a static message-map table whose rows call typed
// member handlers. Messages not in the table, and handlers that ask for it with Default(), get the
// window's original procedure.
#pragma once

#include <vector>

#include <windows.h>

#include "framework/Geometry.h"

class CWnd;
class CDC;
class CFont;

// How a row of the message map matches an incoming message.
enum class MsgKind : int {
    End = 0,    // terminates a table
    Message,    // any message with this number
    Command,    // WM_COMMAND from a menu, an accelerator or a button click, id in [idFirst, idLast]
    Control,    // WM_COMMAND with this notification code from control idFirst
    Notify,     // WM_NOTIFY with this code from a control id in [idFirst, idLast]
};

struct MsgMapEntry {
    UINT message;
    MsgKind kind;
    UINT code;
    UINT idFirst;
    UINT idLast;
    // Unpacks WPARAM/LPARAM and calls the typed handler; sets *handled false to fall through.
    LRESULT (*pfn)(CWnd* self, WPARAM wParam, LPARAM lParam, bool* handled);
};

struct MsgMap {
    const MsgMap* (*pfnGetBaseMap)();
    const MsgMapEntry* entries;
};

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object bound to a window created through this layer, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    BOOL ShowWindow(int nCmdShow) { return m_hWnd ? ::ShowWindow(m_hWnd, nCmdShow) : FALSE; }
    BOOL UpdateWindow() { return m_hWnd ? ::UpdateWindow(m_hWnd) : FALSE; }
    void Invalidate(BOOL bErase = TRUE) { InvalidateRect(nullptr, bErase); }
    void InvalidateRect(const RECT* rc, BOOL bErase = TRUE) {
        if (m_hWnd) ::InvalidateRect(m_hWnd, rc, bErase);
    }
    void InvalidateRgn(HRGN hRgn, BOOL bErase = TRUE) {
        if (m_hWnd) ::InvalidateRgn(m_hWnd, hRgn, bErase);
    }
    // The rectangles of the area that awaits painting (client coordinates); none when nothing does.
    std::vector<RECT> GetUpdateRects() const;
    void MoveWindow(int x, int y, int cx, int cy, BOOL bRepaint = TRUE) {
        if (m_hWnd) ::MoveWindow(m_hWnd, x, y, cx, cy, bRepaint);
    }
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT flags) {
        return m_hWnd ? ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, flags) : FALSE;
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT ms) { return m_hWnd ? ::SetTimer(m_hWnd, id, ms, nullptr) : 0; }
    void GetClientRect(RECT* rc) const { ::GetClientRect(m_hWnd, rc); }
    void GetWindowRect(RECT* rc) const { ::GetWindowRect(m_hWnd, rc); }
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::PostMessageW(m_hWnd, msg, wParam, lParam);
    }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    HMENU GetSystemMenu(BOOL bRevert) const { return ::GetSystemMenu(m_hWnd, bRevert); }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
    }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsWindowVisible() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
    BOOL DestroyWindow();

    // Called by the modal loop for every queued message aimed at this window or one of its children,
    // before it is translated and dispatched; returning TRUE swallows the message.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    // Binds the object to an existing window and routes the window's messages through the message map.
    void SubclassWindow(HWND hWnd);
    // The window's original procedure for the message being handled.
    LRESULT Default();
    // The window's original procedure for the message being handled, with other parameters.
    LRESULT DefaultWith(WPARAM wParam, LPARAM lParam);
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called when the window is gone and the object is no longer bound to it.
    virtual void PostNcDestroy() {}

    static const MsgMap* GetThisMessageMap();
    virtual const MsgMap* GetMessageMap() const { return GetThisMessageMap(); }

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool DispatchFromMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void Unbind();

    WNDPROC m_pfnSuper = nullptr;
    MSG m_msgCurrent = {};  // the message being handled, for Default()
};

// The modal loops' pre-translation: offers the message to the bound windows from its target up to its
// top-level window. Returns TRUE when one of them took it.
BOOL AfxPreTranslateMessage(MSG* pMsg);

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const MsgMap* GetThisMessageMap();     \
    const MsgMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                     \
    const MsgMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const MsgMap* theClass::GetThisMessageMap() {                                 \
        using ThisClass = theClass;                                                \
        using TheBaseClass = baseClass;                                            \
        static const MsgMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                   \
    {0, MsgKind::End, 0, 0, 0, nullptr}                                     \
    }                                                                       \
    ;                                                                       \
    static const MsgMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
    return &map;                                                            \
    }

// Row helpers. Each lambda unpacks the message parameters for one handler signature.
#define AFX_ROW(msg, body) \
    {msg, MsgKind::Message, 0, 0, 0, [](CWnd* w, WPARAM wParam, LPARAM lParam, bool*) -> LRESULT { \
        auto* self = static_cast<ThisClass*>(w); (void)wParam; (void)lParam; body }},

#define AFX_PT(lParam) CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))

#define ON_WM_PAINT() AFX_ROW(WM_PAINT, self->OnPaint(); return 0;)
#define ON_WM_ERASEBKGND() \
    AFX_ROW(WM_ERASEBKGND, CDC dc(reinterpret_cast<HDC>(wParam)); return self->OnEraseBkgnd(&dc);)
#define ON_WM_SYSCOMMAND() AFX_ROW(WM_SYSCOMMAND, self->OnSysCommand(static_cast<UINT>(wParam), lParam); return 0;)
#define ON_WM_QUERYDRAGICON() \
    AFX_ROW(WM_QUERYDRAGICON, return reinterpret_cast<LRESULT>(self->OnQueryDragIcon());)
#define ON_WM_LBUTTONDOWN() \
    AFX_ROW(WM_LBUTTONDOWN, self->OnLButtonDown(static_cast<UINT>(wParam), AFX_PT(lParam)); return 0;)
#define ON_WM_LBUTTONUP() \
    AFX_ROW(WM_LBUTTONUP, self->OnLButtonUp(static_cast<UINT>(wParam), AFX_PT(lParam)); return 0;)
#define ON_WM_LBUTTONDBLCLK() \
    AFX_ROW(WM_LBUTTONDBLCLK, self->OnLButtonDblClk(static_cast<UINT>(wParam), AFX_PT(lParam)); return 0;)
#define ON_WM_RBUTTONDOWN() \
    AFX_ROW(WM_RBUTTONDOWN, self->OnRButtonDown(static_cast<UINT>(wParam), AFX_PT(lParam)); return 0;)
#define ON_WM_RBUTTONUP() \
    AFX_ROW(WM_RBUTTONUP, self->OnRButtonUp(static_cast<UINT>(wParam), AFX_PT(lParam)); return 0;)
#define ON_WM_MBUTTONDBLCLK() \
    AFX_ROW(WM_MBUTTONDBLCLK, self->OnMButtonDblClk(static_cast<UINT>(wParam), AFX_PT(lParam)); return 0;)
#define ON_WM_MOUSEMOVE() \
    AFX_ROW(WM_MOUSEMOVE, self->OnMouseMove(static_cast<UINT>(wParam), AFX_PT(lParam)); return 0;)
#define ON_WM_SETCURSOR()                                                                           \
    AFX_ROW(WM_SETCURSOR, return self->OnSetCursor(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(wParam)), \
                                                   LOWORD(lParam), HIWORD(lParam));)
#define ON_WM_KEYUP()                                                                               \
    AFX_ROW(WM_KEYUP, self->OnKeyUp(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;)
#define ON_WM_KEYDOWN()                                                                             \
    AFX_ROW(WM_KEYDOWN, self->OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;)
#define ON_WM_TIMER() AFX_ROW(WM_TIMER, self->OnTimer(static_cast<UINT_PTR>(wParam)); return 0;)
#define ON_WM_SETFOCUS() \
    AFX_ROW(WM_SETFOCUS, self->OnSetFocus(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(wParam))); return 0;)
#define ON_WM_CLOSE() AFX_ROW(WM_CLOSE, self->OnClose(); return 0;)
// The colour requests of the child controls, one handler for every kind (nCtlColor: CTLCOLOR_*).
#define AFX_CTLCOLOR_ROW(msg, kind)                                                                  \
    AFX_ROW(msg, CDC dc(reinterpret_cast<HDC>(wParam));                                               \
            return reinterpret_cast<LRESULT>(self->OnCtlColor(&dc, CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam)), kind));)
#define ON_WM_CTLCOLOR()                                          \
    AFX_CTLCOLOR_ROW(WM_CTLCOLOREDIT, CTLCOLOR_EDIT)              \
    AFX_CTLCOLOR_ROW(WM_CTLCOLORSTATIC, CTLCOLOR_STATIC)          \
    AFX_CTLCOLOR_ROW(WM_CTLCOLORBTN, CTLCOLOR_BTN)                \
    AFX_CTLCOLOR_ROW(WM_CTLCOLORDLG, CTLCOLOR_DLG)                \
    AFX_CTLCOLOR_ROW(WM_CTLCOLORLISTBOX, CTLCOLOR_LISTBOX)        \
    AFX_CTLCOLOR_ROW(WM_CTLCOLORSCROLLBAR, CTLCOLOR_SCROLLBAR)

// WM_COMMAND rows: a handler without arguments for one id, or one taking the id for a range.
#define ON_COMMAND(id, memberFn)                                                                     \
    {WM_COMMAND, MsgKind::Command, 0, static_cast<UINT>(id), static_cast<UINT>(id),                  \
     [](CWnd* w, WPARAM, LPARAM, bool*) -> LRESULT { static_cast<ThisClass*>(w)->memberFn(); return 0; }},
#define ON_COMMAND_RANGE(idFirst, idLast, memberFn)                                                  \
    {WM_COMMAND, MsgKind::Command, 0, static_cast<UINT>(idFirst), static_cast<UINT>(idLast),         \
     [](CWnd* w, WPARAM wParam, LPARAM, bool*) -> LRESULT {                                           \
         static_cast<ThisClass*>(w)->memberFn(LOWORD(wParam)); return 0; }},
#define ON_CONTROL(notifyCode, id, memberFn)                                                         \
    {WM_COMMAND, MsgKind::Control, static_cast<UINT>(notifyCode), static_cast<UINT>(id),             \
     static_cast<UINT>(id),                                                                           \
     [](CWnd* w, WPARAM, LPARAM, bool*) -> LRESULT { static_cast<ThisClass*>(w)->memberFn(); return 0; }},
#define ON_EN_CHANGE(id, memberFn) ON_CONTROL(EN_CHANGE, id, memberFn)
#define ON_EN_SETFOCUS(id, memberFn) ON_CONTROL(EN_SETFOCUS, id, memberFn)
#define ON_EN_KILLFOCUS(id, memberFn) ON_CONTROL(EN_KILLFOCUS, id, memberFn)
// WM_NOTIFY row for a range of ids; the handler returns TRUE when it produced the answer in *pResult.
#define ON_NOTIFY_EX_RANGE(notifyCode, idFirst, idLast, memberFn)                                    \
    {WM_NOTIFY, MsgKind::Notify, static_cast<UINT>(notifyCode), static_cast<UINT>(idFirst),          \
     static_cast<UINT>(idLast), [](CWnd* w, WPARAM, LPARAM lParam, bool* handled) -> LRESULT {         \
         LRESULT result = 0;                                                                          \
         auto* hdr = reinterpret_cast<NMHDR*>(lParam);                                                \
         *handled = static_cast<ThisClass*>(w)->memberFn(static_cast<UINT>(hdr->idFrom), hdr, &result) != FALSE; \
         return result; }},
