// The view: an off-screen buffer composed from the frozen screen (dimmed outside the selection, with
// the selection's frame, or dimmed around the hovered window with its outline), copied to the window on
// paint. A step of the mouse recomposes and repaints only the part of the view that changes.
#include "capture/CorvaneDlg.h"

#include <algorithm>

#include "capture/logic/Dimming.h"
#include "capture/logic/ViewRules.h"
#include "selection/logic/SelectionGeometry.h"

namespace {
// Outside the selection the frozen screen shows at 155/255 of its brightness: black blended at 100/255.
constexpr BYTE kDimAlpha = 100;
// Outline of the window under the cursor: 3 pixels of light sky blue.
constexpr int kHoverPenWidth = 3;
constexpr COLORREF kHoverColor = 0x00E7AD37;
// How far the marks around a rectangle reach beyond its edges, either way: the hover outline, and the
// selection's frame (2 pixels) with its handles.
constexpr int kHoverReach = kHoverPenWidth;
constexpr int kSelectionReach = selection::kHandleHalf + 2 + 1;
// Rows dimmed at a time on their way into the view.
constexpr int kDimStripRows = 32;
}  // namespace

void CCorvaneDlg::CreateDimTable() {
    // What the blend makes of every byte value, read back from the blend itself on a row of 256 pixels
    // (pixel v is v in all four bytes): the pixel pass then gives exactly the blended pixels. The row is
    // the first of the strip that dimmed rows pass through on their way into the view.
    m_bDimTable = false;
    if (!m_dcDimStrip.CreateDib(&m_dcScreen, std::max(m_cxScreen, 256), kDimStripRows)) return;  // blend instead
    DWORD* px = m_dcDimStrip.Pixels();
    for (DWORD v = 0; v < 256; ++v) px[v] = v * 0x01010101u;
    BlendDim(m_dcDimStrip, RECT{0, 0, 256, 1});
    ::GdiFlush();
    for (int channel = 0; channel < 4; ++channel)
        for (int v = 0; v < 256; ++v) m_dimTable.level[channel][v] = static_cast<uint8_t>(px[v] >> (8 * channel));
    m_bDimRounded = dimming::IsRounded(m_dimTable, kDimAlpha);
    m_bDimTable = true;
}

void CCorvaneDlg::CopyScreenDimmedOutside(const RECT& rc) {
    CopyScreenDimmedOutside(rc, RECT{0, 0, m_cxScreen, m_cyScreen});
}

void CCorvaneDlg::CopyScreenDimmedOutside(const RECT& rc, const RECT& area) {
    // After the orderly close the frozen screen is gone; there is nothing left to copy.
    if (!m_dcScreen.GetSafeHdc()) return;
    const std::vector<RECT> bands = DimBands(rc, m_cxScreen, m_cyScreen);
    if (!m_bDimTable) {
        m_dcView.BitBlt(area.left, area.top, rect::Width(area), rect::Height(area), &m_dcScreen, area.left, area.top,
                        SRCCOPY);
        for (const RECT& band : bands) {
            const RECT part = rect::Intersection(band, area);
            if (!rect::IsEmpty(part)) BlendDim(m_dcView, part);
        }
        return;
    }
    const RECT clear = rect::Intersection(ClearArea(rc, m_cxScreen, m_cyScreen), area);
    if (!rect::IsEmpty(clear)) {
        m_dcView.BitBlt(clear.left, clear.top, rect::Width(clear), rect::Height(clear), &m_dcScreen, clear.left,
                        clear.top, SRCCOPY);
    }
    // The view stays a bitmap of the display's kind, which the marks are drawn on exactly as they are on
    // the window; so dimmed rows are made in the strip and copied in from there, a few dozen at a time.
    const uint32_t* screen = reinterpret_cast<const uint32_t*>(m_dcScreen.Pixels());
    uint32_t* strip = reinterpret_cast<uint32_t*>(m_dcDimStrip.Pixels());
    const size_t stride = static_cast<size_t>(m_cxScreen), stripStride = static_cast<size_t>(m_dcDimStrip.PixelsWidth());
    for (const RECT& band : bands) {
        const RECT part = rect::Intersection(band, area);
        if (rect::IsEmpty(part)) continue;
        const size_t n = static_cast<size_t>(part.right - part.left);
        for (LONG top = part.top; top < part.bottom; top += kDimStripRows) {
            const LONG rows = std::min<LONG>(kDimStripRows, part.bottom - top);
            ::GdiFlush();  // the strip's last copy into the view is done before its pixels are rewritten
            for (LONG y = 0; y < rows; ++y) {
                const uint32_t* from = screen + (top + y) * stride + part.left;
                uint32_t* to = strip + y * stripStride + part.left;
                if (m_bDimRounded) {
                    dimming::DimPixelsRounded(from, to, n, kDimAlpha);
                } else {
                    dimming::DimPixels(from, to, n, m_dimTable);
                }
            }
            m_dcView.BitBlt(part.left, top, static_cast<int>(n), rows, &m_dcDimStrip, part.left, 0, SRCCOPY);
        }
    }
}

void CCorvaneDlg::ComposeView() {
    const RECT& rcSel = m_selection.Rect();
    CopyScreenDimmedOutside(rcSel);
    Selection::DrawFrame(&m_dcView, rcSel);
    m_marks.DrawAll(&m_dcView, rcSel);
    m_viewShown = ViewShown{VIEW_SELECTION, rcSel, m_marks.Count()};
}

void CCorvaneDlg::RefreshView() {
    ComposeView();
    Invalidate(FALSE);
    m_bWindowScribbled = false;
    UpdateWindow();
}

void CCorvaneDlg::RefreshSelectionStep() {
    // Rectangles and ellipses are drawn within the selection, so with marks a step can change them
    // anywhere: then the whole view is composed again.
    const RECT& rcSel = m_selection.Rect();
    std::vector<RECT> area;
    const bool bounded = m_viewShown.nKind == VIEW_SELECTION && m_viewShown.nShapes == 0 && m_marks.Empty() &&
                         !m_bWindowScribbled &&
                         ChangedArea(m_viewShown.rc, rcSel, kSelectionReach, m_cxScreen, m_cyScreen, &area);
    if (!bounded) {
        RefreshView();
        return;
    }
    if (!area.empty()) {
        // The size labels of both, which stand apart from the frame.
        for (const RECT* rc : {static_cast<const RECT*>(&m_viewShown.rc), &rcSel}) {
            const RECT label = rect::Intersection(Selection::LabelOf(&m_dcView, *rc).box, RECT{0, 0, m_cxScreen, m_cyScreen});
            if (!rect::IsEmpty(label)) area.push_back(label);
        }
        RecomposeArea(area, rcSel, [this, &rcSel] { Selection::DrawFrame(&m_dcView, rcSel); });
        m_viewShown.rc = rcSel;
    }
    UpdateWindow();
}

void CCorvaneDlg::RecomposeArea(const std::vector<RECT>& area, const RECT& rcClear,
                                const std::function<void()>& drawMarks) {
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    for (const RECT& rc : area) {
        CopyScreenDimmedOutside(rcClear, rc);
        region.Include(rc);
    }
    // The marks are drawn whole but land only inside the area: outside it the view keeps them as they
    // were drawn over the same pixels.
    ::SelectClipRgn(m_dcView, region);
    drawMarks();
    ::SelectClipRgn(m_dcView, nullptr);
    InvalidateRgn(region, FALSE);
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

// The plain form of the dimming, blending every band through GDI: the pixels the pixel pass must give.
// The tests hold the pixel pass against it.
void CCorvaneDlg::DimOutside(HDC dc, RECT rc) {
    for (const RECT& band : DimBands(rc, m_cxScreen, m_cyScreen)) BlendDim(dc, band);
}

void CCorvaneDlg::HighlightHoverWindow(CPoint point) {
    if (m_bHasSelection) return;
    const RECT rcOld = m_rcHover;
    if (!m_windowFinder.FindWindowRectAt(point, &m_rcHover)) ::SetRectEmpty(&m_rcHover);
    ShowHoverChange(rcOld);
}

void CCorvaneDlg::ShowViewAtPointer() {
    // What the last hover showed is gone with the selection view: the window under the pointer now is
    // outlined at once, not only when the pointer reaches another window.
    ::SetRectEmpty(&m_rcHover);
    POINT cursor;
    ::GetCursorPos(&cursor);
    const POINT pt = {cursor.x - m_rcScreen.left, cursor.y - m_rcScreen.top};
    if (m_bWindowDetect && !m_bHasSelection && m_windowFinder.FindWindowRectAt(pt, &m_rcHover)) {
        ComposeHoverView();
        Invalidate(FALSE);
        m_bWindowScribbled = false;
        UpdateWindow();
    } else {
        ::SetRectEmpty(&m_rcHover);
        RefreshView();
    }
    MoveMagnifier();
}

void CCorvaneDlg::ShowHoverChange(const RECT& rcOld) {
    // Only a change of window recomposes. m_rcHover is what a click at the point would pick (the window
    // finder has already refused what a click refuses), so every change is shown.
    std::vector<RECT> area;
    if (!::EqualRect(&rcOld, &m_rcHover)) {
        const bool bounded = m_viewShown.nKind == VIEW_HOVER && ::EqualRect(&m_viewShown.rc, &rcOld) &&
                             !m_bWindowScribbled &&
                             ChangedArea(rcOld, m_rcHover, kHoverReach, m_cxScreen, m_cyScreen, &area);
        if (bounded) {
            RecomposeArea(area, m_rcHover, [this] { DrawHoverOutline(); });
            m_viewShown.rc = m_rcHover;
        } else {
            ComposeHoverView();
            Invalidate(FALSE);
            m_bWindowScribbled = false;
        }
    } else if (m_bWindowScribbled) {
        Invalidate(FALSE);
        m_bWindowScribbled = false;
    }
    UpdateWindow();
}

void CCorvaneDlg::ComposeHoverView() {
    CopyScreenDimmedOutside(m_rcHover);
    DrawHoverOutline();
    m_viewShown = ViewShown{VIEW_HOVER, m_rcHover, 0};
}

void CCorvaneDlg::DrawHoverOutline() {
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
    // Only what needs painting: the DC is clipped to it, and so is the copy.
    const RECT& paint = dc.m_ps.rcPaint;
    dc.BitBlt(paint.left, paint.top, rect::Width(paint), rect::Height(paint), &m_dcView, paint.left, paint.top, SRCCOPY);
    // The shape being dragged out lives on the window only, over the view.
    if (const CShape* preview = m_marks.Preview()) DrawMark(&dc, *preview, m_selection.Rect(), &m_marks.Fonts());
    // The child windows are made when the queue has nothing else: the first input goes first.
    if (!m_bChildWindowsMade) SetTimer(TIMER_CHILD_WINDOWS, 1);
}

BOOL CCorvaneDlg::OnEraseBkgnd(CDC*) { return TRUE; }
