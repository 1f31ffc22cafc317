// The view: an off-screen buffer composed from the frozen screen (dimmed outside the selection, with
// the selection's frame, or dimmed around the hovered window with its outline), copied to the window on
// paint. A step of the mouse recomposes and repaints only the part of the view that changes.
#include "capture/CorvaneDlg.h"

#include <algorithm>

#include "capture/logic/ViewRules.h"
#include "selection/logic/SelectionGeometry.h"

namespace {
// How far the selection's frame (2 pixels) with its handles reaches beyond its edges, either way.
constexpr int kSelectionReach = selection::kHandleHalf + 2 + 1;
}  // namespace

void CCorvaneDlg::ComposeView() {
    const RECT& rcSel = m_selection.Rect();
    m_view.CopyDimmedOutside(rcSel);
    Selection::DrawFrame(&m_view.Buffer(), rcSel);
    m_marks.DrawAll(&m_view.Buffer(), rcSel);
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
                         ChangedArea(m_viewShown.rc, rcSel, kSelectionReach, m_view.Width(), m_view.Height(), &area);
    if (!bounded) {
        RefreshView();
        return;
    }
    if (!area.empty()) {
        // The size labels of both, which stand apart from the frame.
        for (const RECT* rc : {static_cast<const RECT*>(&m_viewShown.rc), &rcSel}) {
            const RECT label = rect::Intersection(Selection::LabelOf(&m_view.Buffer(), *rc).box, m_view.Bounds());
            if (!rect::IsEmpty(label)) area.push_back(label);
        }
        RecomposeArea(area, rcSel, [this, &rcSel] { Selection::DrawFrame(&m_view.Buffer(), rcSel); });
        m_viewShown.rc = rcSel;
    }
    UpdateWindow();
}

void CCorvaneDlg::RecomposeArea(const std::vector<RECT>& area, const RECT& rcClear,
                                const std::function<void()>& drawMarks) {
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    for (const RECT& rc : area) {
        m_view.CopyDimmedOutside(rcClear, rc);
        region.Include(rc);
    }
    // The marks are drawn whole but land only inside the area: outside it the view keeps them as they
    // were drawn over the same pixels.
    ::SelectClipRgn(m_view.Buffer(), region);
    drawMarks();
    ::SelectClipRgn(m_view.Buffer(), nullptr);
    InvalidateRgn(region, FALSE);
}

void CCorvaneDlg::HighlightHoverWindow(CPoint point) {
    if (m_phase.FixedRegion()) return;
    RECT rc;
    if (!m_windowFinder.FindWindowRectAt(point, &rc)) ::SetRectEmpty(&rc);
    ShowHover(rc);
}

void CCorvaneDlg::ShowViewAtPointer() {
    // What the last hover showed is gone with the selection view: the window under the pointer now is
    // outlined at once, not only when the pointer reaches another window.
    ::SetRectEmpty(&m_rcHover);
    POINT cursor;
    ::GetCursorPos(&cursor);
    const POINT pt = {cursor.x - m_view.Screen().left, cursor.y - m_view.Screen().top};
    if (m_phase.Detecting() && !m_phase.FixedRegion() && m_windowFinder.FindWindowRectAt(pt, &m_rcHover)) {
        ShowWholeHover(m_rcHover);
        UpdateWindow();
    } else {
        ::SetRectEmpty(&m_rcHover);
        RefreshView();
    }
    MoveMagnifier();
}

void CCorvaneDlg::ShowHover(const RECT& rc) {
    // Only a change of window recomposes. rc is what a click at the point would pick (the window finder
    // has already refused what a click refuses), so every change is shown.
    const RECT rcOld = m_rcHover;
    m_rcHover = rc;
    std::vector<RECT> area;
    if (!::EqualRect(&rcOld, &m_rcHover)) {
        const bool bounded = m_viewShown.nKind == VIEW_HOVER && ::EqualRect(&m_viewShown.rc, &rcOld) &&
                             !m_bWindowScribbled &&
                             ChangedArea(rcOld, m_rcHover, View::kHoverReach, m_view.Width(), m_view.Height(), &area);
        if (bounded) {
            // Only the changed area, painted at once: going through the window's update region costs
            // more than the painting (about as much again at 4K).
            m_view.ShowHoverOnWindow(m_rcHover);
            m_viewShown.rc = m_rcHover;
            CClientDC dc(this);
            PaintView(&dc, area);
        } else {
            ShowWholeHover(m_rcHover);
        }
    } else if (m_bWindowScribbled) {
        Invalidate(FALSE);
        m_bWindowScribbled = false;
    }
    UpdateWindow();
}

void CCorvaneDlg::ComposeHoverView(const RECT& rc) {
    m_rcHover = rc;
    m_view.ComposeHoverIntoBuffer(m_rcHover);
    m_viewShown = ViewShown{VIEW_HOVER, m_rcHover, 0};
}

void CCorvaneDlg::ShowWholeHover(const RECT& rc) {
    m_rcHover = rc;
    m_view.ShowHoverOnWindow(m_rcHover);
    m_viewShown = ViewShown{VIEW_HOVER, m_rcHover, 0};
    Invalidate(FALSE);
    m_bWindowScribbled = false;
}

void CCorvaneDlg::OnPaint() {
    // What needs painting, read before the paint empties it: a hover view painted straight is composed
    // there only.
    const std::vector<RECT> update = m_view.HoverPaintedStraight() ? GetUpdateRects() : std::vector<RECT>{};
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
    // Only what needs painting: the DC is clipped to it, and so is the copy.
    PaintView(&dc, update.empty() ? std::vector<RECT>{dc.m_ps.rcPaint} : update);
    // The child windows are made when the queue has nothing else: the first input goes first.
    if (!m_bChildWindowsMade) SetTimer(TIMER_CHILD_WINDOWS, 1);
}

void CCorvaneDlg::PaintView(CDC* pDC, const std::vector<RECT>& areas) {
    const int saved = ::SaveDC(*pDC);
    // The bars are children of this window: the view is painted around them, so a repaint during a
    // drag never paints over a bar that then has to paint itself again.
    m_palette.ExcludeBars(*pDC);
    if (!m_view.PaintHoverStraight(pDC, areas)) {
        for (const RECT& rc : areas) {
            pDC->BitBlt(rc.left, rc.top, rect::Width(rc), rect::Height(rc), &m_view.Buffer(), rc.left, rc.top, SRCCOPY);
        }
    }
    // The shape being dragged out lives on the window only, over the view.
    if (const CShape* preview = m_marks.Preview()) DrawMark(pDC, *preview, m_selection.Rect(), &m_marks.Fonts());
    ::RestoreDC(*pDC, saved);
}

BOOL CCorvaneDlg::OnEraseBkgnd(CDC*) { return TRUE; }

void CCorvaneDlg::MoveMagnifier() {
    if (!m_magnifier) return;
    // Without the frozen screen (after the orderly close) the magnifier has nothing to show.
    if (!m_bShowMagnifier || m_phase.FixedRegion() || !m_view.Frozen().GetSafeHdc()) {
        m_magnifier->Hide();
        return;
    }
    m_magnifier->ShowBesideCursor();
}

void CCorvaneDlg::HideMagnifier() {
    if (m_magnifier) m_magnifier->Hide();
}
