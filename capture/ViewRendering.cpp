// The view: an off-screen buffer composed from the frozen screen (dimmed outside the selection, with
// the selection's frame, or dimmed around the hovered window with its outline), copied to the window on
// paint.
#include "capture/CorvaneDlg.h"

#include "capture/logic/ViewRules.h"

namespace {
// Outside the selection the frozen screen shows at 155/255 of its brightness: black blended at 100/255.
constexpr BYTE kDimAlpha = 100;
// Outline of the window under the cursor: 3 pixels of light sky blue.
constexpr int kHoverPenWidth = 3;
constexpr COLORREF kHoverColor = 0x00E7AD37;
}  // namespace

void CCorvaneDlg::CreateDimmedScreen() {
    // The frozen screen dimmed once, whole. Every later view takes its outside from this copy instead of
    // blending again on each drag step; the blend works pixel by pixel, so the pixels are the same.
    // Without the memory for it, views blend their bands each time instead (DimOutside).
    if (!m_dcDimmed.Create(&m_dcScreen, m_cxScreen, m_cyScreen)) return;
    m_dcDimmed.BitBlt(0, 0, m_cxScreen, m_cyScreen, &m_dcScreen, 0, 0, SRCCOPY);
    BlendDim(m_dcDimmed, RECT{0, 0, m_cxScreen, m_cyScreen});
}

void CCorvaneDlg::CopyScreenDimmedOutside(const RECT& rc) {
    // After the orderly close the frozen screen is gone; there is nothing left to copy.
    if (!m_dcScreen.GetSafeHdc()) return;
    if (!m_dcDimmed.GetSafeHdc()) {  // no memory for the dimmed copy: the same pixels, blended here
        m_dcView.BitBlt(0, 0, m_cxScreen, m_cyScreen, &m_dcScreen, 0, 0, SRCCOPY);
        DimOutside(m_dcView, rc);
        return;
    }
    for (const RECT& band : DimBands(rc, m_cxScreen, m_cyScreen)) {
        m_dcView.BitBlt(band.left, band.top, band.right - band.left, band.bottom - band.top, &m_dcDimmed, band.left,
                        band.top, SRCCOPY);
    }
    const RECT clear = ClearArea(rc, m_cxScreen, m_cyScreen);
    m_dcView.BitBlt(clear.left, clear.top, clear.right - clear.left, clear.bottom - clear.top, &m_dcScreen, clear.left,
                    clear.top, SRCCOPY);
}

void CCorvaneDlg::ComposeView() {
    CopyScreenDimmedOutside(m_rcSelection);
    DrawSelectionFrame(&m_dcView);
    DrawAllShapes(&m_dcView);
}

void CCorvaneDlg::RefreshView() {
    ComposeView();
    Invalidate(FALSE);
    UpdateWindow();
}

void CCorvaneDlg::BlendDim(HDC dc, const RECT& rc) {
    CDC dcTarget(dc);
    CDC dcDim;
    dcDim.CreateCompatibleDC(&dcTarget);
    HGDIOBJ old = dcDim.SelectObject(m_hDimBitmap);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, kDimAlpha, 0};
    ::AlphaBlend(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, dcDim, 0, 0, 1, 1, blend);
    dcDim.SelectObject(old);
}

// The plain form of the dimming, blending every band each time: the same pixels as the dimmed copy gives,
// only slower. The tests hold the dimmed copy against it.
void CCorvaneDlg::DimOutside(HDC dc, RECT rc) {
    for (const RECT& band : DimBands(rc, m_cxScreen, m_cyScreen)) BlendDim(dc, band);
}

void CCorvaneDlg::HighlightHoverWindow(CPoint point) {
    if (m_bHasSelection) return;
    const RECT rcOld = m_rcHover;
    if (!m_windowFinder.FindWindowRectAt(point, &m_rcHover)) ::SetRectEmpty(&m_rcHover);
    ShowHoverChange(rcOld);
}

void CCorvaneDlg::ShowHoverChange(const RECT& rcOld) {
    // Only a change of window recomposes. m_rcHover is what a click at the point would pick (the window
    // finder has already refused what a click refuses), so every change is shown.
    if (!::EqualRect(&rcOld, &m_rcHover)) {
        ComposeHoverView();
    }
    Invalidate(FALSE);
    UpdateWindow();
}

void CCorvaneDlg::ComposeHoverView() {
    CopyScreenDimmedOutside(m_rcHover);
    CPen pen(PS_SOLID, kHoverPenWidth, kHoverColor);
    HGDIOBJ oldPen = m_dcView.SelectObject(&pen);
    HGDIOBJ oldBrush = m_dcView.SelectStockObject(NULL_BRUSH);
    m_dcView.Rectangle(&m_rcHover);
    m_dcView.SelectObject(oldBrush);
    m_dcView.SelectObject(oldPen);
}

void CCorvaneDlg::OnPaint() {
    CPaintDC dc(this);
    if (IsIconic()) {
        CPaintDC dcIcon(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dcIcon.GetSafeHdc()), 0);
        RECT rc;
        GetClientRect(&rc);
        const POINT at = IconPosition(rc.right - rc.left, rc.bottom - rc.top, ::GetSystemMetrics(SM_CXICON),
                                      ::GetSystemMetrics(SM_CYICON));
        dcIcon.DrawIcon(at.x, at.y, m_hIcon);
    } else {
        Default();
    }
    // The bars are children of this window: the view is copied around them, so a repaint during a
    // drag never paints over a bar that then has to paint itself again.
    for (CWnd* bar : {static_cast<CWnd*>(&m_wndToolBar), static_cast<CWnd*>(&m_wndOptionBar)}) {
        if (!bar->IsWindowVisible()) continue;
        RECT rc;
        bar->GetWindowRect(&rc);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        ::ExcludeClipRect(dc, rc.left, rc.top, rc.right, rc.bottom);
    }
    dc.BitBlt(0, 0, m_cxScreen, m_cyScreen, &m_dcView, 0, 0, SRCCOPY);
    // The shape being dragged out lives on the window only, over the view.
    if (m_shapeCurrent.nKind != SHAPE_NONE) DrawShape(&dc, m_shapeCurrent);
}

BOOL CCorvaneDlg::OnEraseBkgnd(CDC*) { return TRUE; }
