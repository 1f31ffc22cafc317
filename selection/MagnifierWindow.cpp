// The magnifier window and its painting, all from the copy of the desktop the capture took at start.
#include "selection/MagnifierWindow.h"

#include <string>

#include "selection/logic/MagnifierGeometry.h"

namespace {
constexpr COLORREF kCrossColor = 0x00E7AD37;
constexpr COLORREF kPanelColor = 0x00404040;
constexpr COLORREF kTextColor = 0x00FFFFFF;
constexpr int kBaseDpi = 96;
}  // namespace

BEGIN_MESSAGE_MAP(CMagnifierWindow, CPopupWindow)
    ON_WM_CLOSE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CMagnifierWindow::OnInitDialog() {
    CPopupWindow::OnInitDialog();
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    m_rcScreen = CRect(x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    // Layered and opaque; transparent to the mouse, so that a quick move that lands on the magnifier
    // still reaches the capture window, which then moves the magnifier away from the pointer.
    AddExStyle(WS_EX_LAYERED | WS_EX_TRANSPARENT);
    ::SetLayeredWindowAttributes(m_hWnd, 0, 255, LWA_ALPHA);
    return TRUE;
}

CFont& CMagnifierWindow::InfoFont() {
    if (m_fontInfo.GetSafeHandle()) return m_fontInfo;
    // The magnifier keeps its size in pixels on a scaled desktop, and so do its lines: the stock font's
    // height, which grows with the desktop's DPI, is taken back to what it is at 96 DPI.
    LOGFONTW lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    if (dpi > 0) lf.lfHeight = ::MulDiv(lf.lfHeight, kBaseDpi, dpi);
    m_fontInfo.CreateFontIndirect(lf);
    return m_fontInfo;
}

void CMagnifierWindow::OnClose() {
    ::PostQuitMessage(0);
    Default();
}

void CMagnifierWindow::OnPaint() {
    CPaintDC dc(this);
    DrawMagnifier(&dc, m_ptPlaced);
}

void CMagnifierWindow::DrawMagnifier(CDC* pDC) {
    POINT cursor;
    ::GetCursorPos(&cursor);
    DrawMagnifier(pDC, cursor);
}

void CMagnifierWindow::DrawMagnifier(CDC* pDC, POINT cursor) {
    if (!m_pSnapshot || !m_pSnapshot->GetSafeHdc()) return;  // nothing to show: the window stays hidden
    const POINT p = magnifier::SnapshotPoint(cursor, m_rcScreen.left, m_rcScreen.top);
    const COLORREF colour = m_pSnapshot->GetPixel(p.x, p.y);
    GetWindowRect(&m_rcWindow);
    const int w = m_rcWindow.Width();
    const POINT src = magnifier::SourceOrigin(p, m_rcScreen.Width(), m_rcScreen.Height(), w);
    ::StretchBlt(*pDC, 0, 0, w, w, *m_pSnapshot, src.x, src.y, w / 2, w / 2, SRCCOPY);
    DrawCrosshair(pDC);
    DrawInfo(pDC, colour, p);
}

void CMagnifierWindow::DrawCrosshair(CDC* pDC) {
    if (!m_hWnd) return;
    const int w = m_rcWindow.Width();
    CBrush brush(kCrossColor);
    CSelectScope selectBrush(pDC, &brush);
    const RECT bars[] = {
        {0, 0, w, 2}, {0, 0, 2, w}, {0, w - 2, w, 2}, {w - 2, 0, 2, w}, {0, (w - 2) / 2, w, 2}, {(w - 2) / 2, 0, 2, w},
    };
    for (const RECT& b : bars) ::PatBlt(*pDC, b.left, b.top, b.right, b.bottom, PATCOPY);  // x, y, width, height
}

void CMagnifierWindow::DrawInfo(CDC* pDC, COLORREF colour, POINT pt) {
    const int w = m_rcWindow.Width(), h = m_rcWindow.Height();
    CBrush panel(kPanelColor);
    CSelectScope selectPanel(pDC, &panel);
    RECT rcPanel = {0, w, w, h};
    pDC->FillRect(&rcPanel, &panel);
    pDC->SetTextColor(kTextColor);
    ::SetBkColor(*pDC, kPanelColor);
    // The small dialog font, at its 96-DPI size: the longest colour line, "RGB: (255, 255, 255)", fits
    // the panel.
    CSelectScope selectFont(pDC, &InfoFont());

    wchar_t text[64];
    wsprintfW(text, L"POS: (%d, %d)", pt.x, pt.y);
    RECT line = {8, w + 6, w, w + 26};
    pDC->DrawText(text, &line, DT_VCENTER | DT_SINGLELINE);
    wsprintfW(text, L"RGB: (%d, %d, %d)", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    RECT line2 = {8, line.bottom + 2, w, line.bottom + 22};
    pDC->DrawText(text, &line2, DT_VCENTER | DT_SINGLELINE);
}

BOOL CMagnifierWindow::CreateHidden(const CDC* snapshot, std::function<bool(const MSG*)> takeKey) {
    m_pSnapshot = snapshot;
    m_takeKey = std::move(takeKey);
    const BOOL made = CPopupWindow::Create(IDD_POPUP, nullptr);
    ShowWindow(SW_HIDE);
    return made;
}

void CMagnifierWindow::ShowBesideCursor() {
    // The pointer is read once per step, and the window moved only when its place changes: each read
    // and each move waits on the display server, several times what the painting costs.
    ::GetCursorPos(&m_ptPlaced);
    const RECT rc = magnifier::PlaceBesideCursor(m_ptPlaced, m_rcScreen);
    RECT now;
    GetWindowRect(&now);
    if (!::EqualRect(&now, &rc)) MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, FALSE);
    // Shown without activation: the keyboard stays with the capture window, so Enter and Esc keep
    // ending the capture while the magnifier follows the cursor.
    ShowWindow(SW_SHOWNOACTIVATE);
    // Painted at once, rather than through a paint message: a third of the cost of a step here.
    CClientDC dc(this);
    DrawMagnifier(&dc, m_ptPlaced);
    ::ValidateRect(m_hWnd, nullptr);
}
