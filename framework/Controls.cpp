// Child controls.
#include "framework/Controls.h"

BOOL CEdit::Create(DWORD dwStyle, const RECT& rc, CWnd* pParentWnd, UINT nID) {
    HWND hWnd = ::CreateWindowExW(0, L"EDIT", L"", dwStyle, rc.left, rc.top, rc.right - rc.left,
                                  rc.bottom - rc.top, pParentWnd->m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (!hWnd) return FALSE;
    SubclassWindow(hWnd);
    return TRUE;
}

std::wstring CEdit::GetWindowText() const {
    const int n = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = ::GetWindowTextW(m_hWnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

std::wstring CEdit::GetTextAsShown() const {
    const std::wstring text = GetWindowText();
    const auto send = [this](UINT msg, WPARAM w) { return static_cast<int>(::SendMessageW(m_hWnd, msg, w, 0)); };
    const int count = send(EM_GETLINECOUNT, 0);
    std::wstring shown;
    for (int i = 0; i < count; ++i) {
        const int start = send(EM_LINEINDEX, static_cast<WPARAM>(i));
        const int length = send(EM_LINELENGTH, static_cast<WPARAM>(start));
        if (start < 0 || length < 0 || static_cast<size_t>(start) > text.size()) break;
        if (i > 0) shown += L"\r\n";
        shown += text.substr(static_cast<size_t>(start), static_cast<size_t>(length));
    }
    return shown;
}

void CEdit::ScrollToTop() {
    const LRESULT first = ::SendMessageW(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0);
    if (first > 0) ::SendMessageW(m_hWnd, EM_LINESCROLL, 0, -first);
    ::SendMessageW(m_hWnd, EM_SCROLLCARET, 0, 0);
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
    DeleteImageList();
    m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
    return m_hImageList != nullptr;
}

BOOL CImageList::DeleteImageList() {
    if (!m_hImageList) return FALSE;
    BOOL ok = ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
    return ok;
}

namespace {
// The bar's own edge above and below its row of buttons.
constexpr int kBarEdge = 2;
}  // namespace

BEGIN_MESSAGE_MAP(CToolBar, CWnd)
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CToolBar::OnSetFocus(CWnd*) {
    Default();
    // The control lights its first button when it receives the keyboard (its dialog hands it the
    // focus, for one): a lit button reads as the chosen one, so only the mouse lights them.
    LightButtonUnderMouse();
}

int CToolBar::ButtonAt(POINT pt) const {
    const int hit = static_cast<int>(::SendMessageW(m_hWnd, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pt)));
    return hit >= 0 && hit < GetCount() ? hit : -1;
}

TBBUTTON CToolBar::ButtonByIndex(int nIndex) const {
    TBBUTTON button = {};
    ::SendMessageW(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button));
    return button;
}

void CToolBar::OnLButtonDown(UINT, CPoint point) {
    m_nPressed = ButtonAt(point);
    m_checkedBeforePress.clear();
    for (int i = 0; i < GetCount(); ++i) m_checkedBeforePress.push_back((ButtonByIndex(i).fsState & TBSTATE_CHECKED) != 0);
    Default();
}

void CToolBar::OnLButtonUp(UINT, CPoint point) {
    Default();
    // Released off the button it went down on, the press issued no command; the control may still
    // have checked that button (a tool that is not chosen would look chosen).
    if (m_nPressed >= 0 && ButtonAt(point) != m_nPressed) {
        for (int i = 0; i < GetCount() && static_cast<size_t>(i) < m_checkedBeforePress.size(); ++i) {
            const TBBUTTON button = ButtonByIndex(i);
            const bool checked = m_checkedBeforePress[static_cast<size_t>(i)];
            if (((button.fsState & TBSTATE_CHECKED) != 0) != checked)
                ::SendMessageW(m_hWnd, TB_CHECKBUTTON, static_cast<WPARAM>(button.idCommand), checked);
        }
    }
    m_nPressed = -1;
    // Released off the bar, the press leaves it without the mouse ever leaving it in the control's eyes:
    // it would keep the pressed button lit.
    LightButtonUnderMouse();
}

void CToolBar::LightButtonUnderMouse() {
    POINT cursor;
    ::GetCursorPos(&cursor);
    int hot = -1;
    if (::WindowFromPoint(cursor) == m_hWnd) {
        ::ScreenToClient(m_hWnd, &cursor);
        hot = ButtonAt(cursor);
    }
    if (static_cast<int>(SendMessage(TB_GETHOTITEM)) != hot) SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(hot));
}

void CToolBar::OnPaint() {
    // A flat bar is transparent and would draw its icons over whatever lies under it, blending their
    // soft edges again with every repaint. It gets the face of a bar first, then the control paints
    // its buttons into the same DC.
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    ::FillRect(dc, &ps.rcPaint, ::GetSysColorBrush(COLOR_BTNFACE));
    DefaultWith(reinterpret_cast<WPARAM>(dc), 0);
    ::EndPaint(m_hWnd, &ps);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, const RECT& rcBorders, UINT nID) {
    m_rcBorders = rcBorders;
    // The CBRS_* bits share their values with the control's CCS_* bits: keep only the window bits,
    // then let the bar keep its own place and size (the owner places it) and draw no divider line.
    DWORD style = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (dwStyle & CBRS_TOOLTIPS) style |= TBSTYLE_TOOLTIPS;
    HWND hWnd = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", style, 0, 0, 0, 0, pParentWnd->m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), ::GetModuleHandleW(nullptr),
                                  nullptr);
    if (!hWnd) return FALSE;
    SubclassWindow(hWnd);
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    ::SendMessageW(hWnd, TB_SETINDENT, static_cast<WPARAM>(rcBorders.left), 0);
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
    while (GetCount() > 0) SendMessage(TB_DELETEBUTTON, 0);
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON button = {};
        button.iBitmap = i;
        button.idCommand = static_cast<int>(lpIDArray[i]);
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
        if (!SendMessage(TB_INSERTBUTTONW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button))) return FALSE;
    }
    return TRUE;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage) {
    UINT oldId = 0, oldStyle = 0;
    int oldImage = 0;
    GetButtonInfo(nIndex, &oldId, &oldStyle, &oldImage);
    if ((oldStyle & BTNS_SEP) != (nStyle & BTNS_SEP)) {
        // A button becoming a separator or back is a different kind of item: replace it.
        TBBUTTON button = {};
        button.iBitmap = iImage;
        button.idCommand = static_cast<int>(nID);
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = static_cast<BYTE>(nStyle);
        SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex));
        SendMessage(TB_INSERTBUTTONW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button));
        return;
    }
    // In place, by index: the control may be in the middle of handling this very button's click.
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_STYLE | TBIF_STATE | TBIF_IMAGE;
    info.idCommand = static_cast<int>(nID);
    info.fsStyle = static_cast<BYTE>(nStyle);
    info.fsState = TBSTATE_ENABLED;
    info.iImage = iImage;
    if (nStyle & BTNS_SEP) {
        info.dwMask = (info.dwMask & ~TBIF_IMAGE) | TBIF_SIZE;
        info.cx = static_cast<WORD>(iImage);
    }
    SendMessage(TB_SETBUTTONINFOW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
}

void CToolBar::GetButtonInfo(int nIndex, UINT* pID, UINT* pStyle, int* pImage) const {
    TBBUTTON button = {};
    ::SendMessageW(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button));
    *pID = static_cast<UINT>(button.idCommand);
    *pStyle = button.fsStyle;
    *pImage = button.iBitmap;
}

void CToolBar::SetImageList(CImageList* pList) {
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pList ? pList->m_hImageList : nullptr));
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
    // The image size first: the control refuses buttons too small for their images.
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
    m_sizeButton = sizeButton;
}

void CToolBar::EnableToolTips(BOOL bEnable) {
    HWND hTips = reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS));
    if (hTips) ::SendMessageW(hTips, TTM_ACTIVATE, bEnable, 0);
}

SIZE CToolBar::CalcFixedLayout() const {
    LONG width = 0;
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        RECT rc = {};
        ::SendMessageW(m_hWnd, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
        width = rc.right > width ? rc.right : width;
    }
    return SIZE{width + m_rcBorders.right,
                m_sizeButton.cy + 2 * kBarEdge + m_rcBorders.top + m_rcBorders.bottom};
}

void RepositionBars(CWnd* pParent, UINT nIDFirst, UINT nIDLast) {
    for (HWND hChild = ::GetWindow(pParent->m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        const UINT id = static_cast<UINT>(::GetDlgCtrlID(hChild));
        if (id < nIDFirst || id > nIDLast) continue;
        auto* bar = dynamic_cast<CToolBar*>(CWnd::FromHandlePermanent(hChild));
        if (!bar) continue;
        const SIZE size = bar->CalcFixedLayout();
        ::SetWindowPos(hChild, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
