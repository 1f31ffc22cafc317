// Child controls and image lists.
#pragma once

#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CEdit : public CWnd {
public:
    // Creates the edit control as a child of pParentWnd; rc is in the parent's client coordinates.
    BOOL Create(DWORD dwStyle, const RECT& rc, CWnd* pParentWnd, UINT nID);
    std::wstring GetWindowText() const;
    // The text as the control lays it out: each line it shows, wrapped where it wraps them, joined by
    // CR LF.
    std::wstring GetTextAsShown() const;
    // Scrolls a multi-line control back to its first line, then only as far as keeps the caret in
    // sight.
    void ScrollToTop();
};

// Owner of a common-controls image list.
class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // Appends the icon (scaled to the list's image size); the new image's index, or -1.
    int Add(HICON hIcon) { return m_hImageList ? ImageList_ReplaceIcon(m_hImageList, -1, hIcon) : -1; }
    int GetImageCount() const { return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0; }
    BOOL DeleteImageList();
};

// Control-bar style bits of the bar's creation style. They describe the bar, not its window: the
// tool bar control reads its own bits from the same places, so they are turned into those on creation.
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALL = 0xFFFF;
// Button styles: a plain button, a separator (its "image" is its width), a button of a radio group.
constexpr UINT TBBS_BUTTON = BTNS_BUTTON;
constexpr UINT TBBS_SEPARATOR = BTNS_SEP;
constexpr UINT TBBS_CHECKGROUP = BTNS_CHECKGROUP;
// The control bars' id range, and the tool bar's own id.
constexpr UINT AFX_IDW_CONTROLBAR_FIRST = 0xE800;
constexpr UINT AFX_IDW_CONTROLBAR_LAST = 0xE8FF;
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;

// Owner of a common-controls tool bar window: one row of buttons that send WM_COMMAND with their ids
// to the parent, and ask it for their tooltips with TTN_NEEDTEXTW.
class CToolBar : public CWnd {
public:
    // dwCtrlStyle: TBSTYLE_* bits; dwStyle: WS_* and CBRS_* bits; rcBorders: the bar's margins around
    // its buttons.
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, const RECT& rcBorders, UINT nID);
    // One plain button per id, with images 0, 1, ... in order.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    // Replaces a button's id, style and image (for a separator, its width); the button comes back
    // enabled and not checked.
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    void GetButtonInfo(int nIndex, UINT* pID, UINT* pStyle, int* pImage) const;
    int GetCount() const { return static_cast<int>(::SendMessageW(m_hWnd, TB_BUTTONCOUNT, 0, 0)); }
    BOOL IsButtonChecked(UINT nID) const { return ::SendMessageW(m_hWnd, TB_ISBUTTONCHECKED, nID, 0) != 0; }
    void SetImageList(CImageList* pList);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    // Turns the buttons' tooltips on or off.
    void EnableToolTips(BOOL bEnable);
    // The size one row of the buttons takes, borders included.
    SIZE CalcFixedLayout() const;

protected:
    void OnPaint();
    void OnSetFocus(CWnd* pOldWnd);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    // The index of the button at a point of the bar, or -1.
    int ButtonAt(POINT pt) const;
    TBBUTTON ButtonByIndex(int nIndex) const;
    // Lights the button under the mouse, and none when the mouse is not over one.
    void LightButtonUnderMouse();
    DECLARE_MESSAGE_MAP()

private:
    RECT m_rcBorders = {0, 0, 0, 0};
    SIZE m_sizeButton = {0, 0};
    // The button a press went down on, and which buttons were checked before it: a press dragged off
    // its button issues no command and must check nothing.
    int m_nPressed = -1;
    std::vector<bool> m_checkedBeforePress;
};

// Gives every tool bar among pParent's children with an id in [nIDFirst, nIDLast] the size of its row
// of buttons (the bars keep their places; the caller moves them).
void RepositionBars(CWnd* pParent, UINT nIDFirst, UINT nIDLast);
