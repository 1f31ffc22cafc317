// The selection on the capture window: dragging it out, its hit test and cursors, moving and resizing
// it by the body and the eight handles, drawing its frame, handles and size label, and the return to
// the initial state. The geometry itself is in selection/logic.
#include "capture/CorvaneDlg.h"

#include "capture/logic/ViewRules.h"
#include "selection/logic/SelectionGeometry.h"

namespace {
// Frame and handles: 2 pixels of bright sky blue.
constexpr int kFramePenWidth = 2;
constexpr COLORREF kFrameColor = 0x00F5B712;
constexpr COLORREF kLabelColor = 0x00FFFFFF;
}  // namespace

void CCorvaneDlg::RectFromPoints(POINT a, POINT b, RECT* out) { *out = selection::RectFromPoints(a, b); }

int CCorvaneDlg::HitTestSelection(POINT pt) {
    const selection::HitResult result = selection::HitTest(m_rcSelection, pt);
    if (result.hasAnchor) m_ptAnchor = result.anchor;
    return result.hit;
}

void CCorvaneDlg::GetHandleRect(int x, int y, RECT* out) { *out = selection::HandleRect(x, y); }

HCURSOR CCorvaneDlg::GetTrackCursor(int hit) {
    const int id = selection::CursorForHit(hit, m_bToolChosen);
    return id == CURSOR_NONE ? nullptr : ::LoadCursorW(nullptr, MAKEINTRESOURCEW(id));
}

void CCorvaneDlg::UpdateSelectionCursor(UINT, POINT pt) {
    if (HCURSOR cursor = GetTrackCursor(HitTestSelection(pt))) ::SetCursor(cursor);
}

void CCorvaneDlg::BeginNewSelection(POINT pt) {
    if (!m_bNewSelection) return;
    m_ptSelStart = m_ptSelEnd = pt;
    m_bShowMagnifier = false;
}

void CCorvaneDlg::DragNewSelection(UINT nFlags, POINT pt) {
    if (!IsLeftDrag(nFlags)) return;
    m_ptSelEnd = pt;
    if (rect::SamePoint(pt, m_ptSelStart)) return;
    RectFromPoints(m_ptSelStart, pt, &m_rcSelection);
    RefreshSelectionStep();
}

void CCorvaneDlg::FinishNewSelection(POINT) {
    if (m_bHasSelection || rect::Width(m_rcSelection) == 0 || rect::Height(m_rcSelection) == 0) return;
    m_bHasSelection = true;
    m_bNewSelection = false;
    m_bShowMagnifier = false;
}

void CCorvaneDlg::BeginTrack(POINT pt, int hit) {
    m_ptTrackStart = pt;
    m_bTracking = true;
    m_nTrackHit = hit;
}

void CCorvaneDlg::HideBarsForTrack() {
    ShowPalette(false);
    UpdateWindow();
}

void CCorvaneDlg::TrackSelection(UINT nFlags, POINT pt) {
    if (!IsLeftDrag(nFlags)) return;
    if (HCURSOR cursor = GetTrackCursor(m_nTrackHit)) ::SetCursor(cursor);
    MoveResizeSelection(pt);
}

void CCorvaneDlg::MoveResizeSelection(POINT pt) {
    selection::TrackStep step;
    step.rcSelection = m_rcSelection;
    step.hit = m_nTrackHit;
    step.toolChosen = m_bToolChosen;
    step.ptTrackStart = m_ptTrackStart;
    step.ptAnchor = m_ptAnchor;
    step.pt = pt;
    step.cxView = m_cxScreen;
    step.cyView = m_cyScreen;
    step.hasShapes = !m_shapes.empty();
    step.rcShapesBounds = m_rcShapesBounds;
    m_rcSelection = selection::MoveResizeSelection(step);
    // The unclamped point: at a screen edge the grabbed point slides along the selection.
    m_ptTrackStart = pt;
    RefreshSelectionStep();
}

void CCorvaneDlg::EndTrack(POINT pt) {
    m_bTracking = false;
    MoveResizeSelection(pt);
}

void CCorvaneDlg::DrawSelectionFrame(CDC* pDC) {
    if (rect::IsAllZero(m_rcSelection)) return;
    CPen pen(PS_SOLID, kFramePenWidth, kFrameColor);
    HGDIOBJ oldPen = pDC->SelectObject(&pen);
    HGDIOBJ oldBrush = pDC->SelectStockObject(NULL_BRUSH);

    pDC->Rectangle(&m_rcSelection);
    for (POINT handle : selection::HandlePoints(m_rcSelection)) DrawHandle(pDC, handle.x, handle.y);

    selection::SizeLabel label = SizeLabelOf(m_rcSelection);
    pDC->SetTextColor(kLabelColor);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(label.text, &label.box, DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(oldMode);

    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
}

selection::SizeLabel CCorvaneDlg::SizeLabelOf(const RECT& rc) {
    // Measured in the view's font, which grows with the desktop's DPI.
    const std::wstring text = selection::SizeLabelFor(rc).text;
    SIZE extent = {0, 0};
    ::GetTextExtentPoint32W(m_dcView, text.c_str(), static_cast<int>(text.size()), &extent);
    return selection::SizeLabelFor(rc, extent);
}

void CCorvaneDlg::DrawHandle(CDC* pDC, int x, int y) {
    RECT rc;
    GetHandleRect(x, y, &rc);
    pDC->Rectangle(&rc);
}

void CCorvaneDlg::ResetCapture() {
    m_bNewSelection = true;
    m_nTool = 0;
    m_bHasSelection = false;
    m_bShowMagnifier = true;
    m_bWindowDetect = true;
    m_bToolChosen = false;
    m_bTracking = false;
    DiscardText();  // an open text box belonged to the marks thrown away
    ::SetRectEmpty(&m_rcSelection);
    ResetToolButtons();
    ShowPalette(false);
    ShowViewAtPointer();
}
