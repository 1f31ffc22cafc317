// The selected region: its drag, hit test, cursors, tracking and frame.
#include "selection/Selection.h"

#include <string>

namespace {
// Frame and handles: 2 pixels of bright sky blue.
constexpr int kFramePenWidth = 2;
constexpr COLORREF kFrameColor = 0x00F5B712;
constexpr COLORREF kLabelColor = 0x00FFFFFF;
}  // namespace

bool Selection::DragNew(POINT pt) {
    m_ptEnd = pt;
    if (rect::SamePoint(pt, m_ptStart)) return false;
    m_rc = selection::RectFromPoints(m_ptStart, pt);
    return true;
}

int Selection::HitTest(POINT pt) {
    const selection::HitResult result = selection::HitTest(m_rc, pt);
    if (result.hasAnchor) m_ptAnchor = result.anchor;
    return result.hit;
}

HCURSOR Selection::CursorFor(int hit, bool toolChosen) {
    const int id = selection::CursorForHit(hit, toolChosen);
    return id == CURSOR_NONE ? nullptr : ::LoadCursorW(nullptr, MAKEINTRESOURCEW(id));
}

void Selection::UpdateCursor(POINT pt, bool toolChosen) {
    if (HCURSOR cursor = CursorFor(HitTest(pt), toolChosen)) ::SetCursor(cursor);
}

void Selection::BeginTrack(POINT pt, int hit) {
    m_ptTrackStart = pt;
    m_bTracking = true;
    m_nTrackHit = hit;
}

void Selection::TrackTo(POINT pt, bool toolChosen, SIZE view, const RECT* marksBounds) {
    selection::TrackStep step;
    step.rcSelection = m_rc;
    step.hit = m_nTrackHit;
    step.toolChosen = toolChosen;
    step.ptTrackStart = m_ptTrackStart;
    step.ptAnchor = m_ptAnchor;
    step.pt = pt;
    step.cxView = view.cx;
    step.cyView = view.cy;
    step.hasShapes = marksBounds != nullptr;
    if (marksBounds) step.rcShapesBounds = *marksBounds;
    m_rc = selection::MoveResizeSelection(step);
    // The unclamped point: at a screen edge the grabbed point slides along the selection.
    m_ptTrackStart = pt;
}

void Selection::DrawFrame(CDC* pDC, const RECT& rc) {
    if (rect::IsAllZero(rc)) return;
    CPen pen(PS_SOLID, kFramePenWidth, kFrameColor);
    CSelectScope withPen(pDC, &pen);
    CSelectScope hollow = CSelectScope::Stock(pDC, NULL_BRUSH);

    pDC->Rectangle(&rc);
    for (POINT handle : selection::HandlePoints(rc)) {
        const RECT square = selection::HandleRect(handle.x, handle.y);
        pDC->Rectangle(&square);
    }

    selection::SizeLabel label = LabelOf(pDC, rc);
    pDC->SetTextColor(kLabelColor);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(label.text, &label.box, DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(oldMode);
}

selection::SizeLabel Selection::LabelOf(CDC* pDC, const RECT& rc) {
    // Measured in the view's font, which grows with the desktop's DPI.
    const std::wstring text = selection::SizeLabelFor(rc).text;
    SIZE extent = {0, 0};
    ::GetTextExtentPoint32W(*pDC, text.c_str(), static_cast<int>(text.size()), &extent);
    return selection::SizeLabelFor(rc, extent);
}
