// The capture window's side of the selection: the phase changes of dragging out a region, of moving or
// resizing it, and of starting over; the region itself is selection/Selection.
#include "capture/CorvaneDlg.h"

#include "capture/logic/ViewRules.h"

void CCorvaneDlg::BeginNewSelection(POINT pt) {
    if (!m_phase.NewRegion()) return;
    m_selection.BeginNew(pt);
    m_bShowMagnifier = false;
}

void CCorvaneDlg::DragNewSelection(UINT nFlags, POINT pt) {
    if (IsLeftDrag(nFlags) && m_selection.DragNew(pt)) RefreshSelectionStep();
}

void CCorvaneDlg::FinishNewSelection() {
    const RECT& rc = m_selection.Rect();
    if (m_phase.FixedRegion() || rect::Width(rc) == 0 || rect::Height(rc) == 0) return;
    m_phase.Fix();
    m_bShowMagnifier = false;
}

void CCorvaneDlg::BeginTrack(POINT pt, int hit) {
    m_selection.UpdateCursor(pt, ToolChosen());
    m_selection.BeginTrack(pt, hit);
    ShowPalette(false);
    UpdateWindow();
}

void CCorvaneDlg::TrackSelection(UINT nFlags, POINT pt) {
    if (!IsLeftDrag(nFlags)) return;
    if (HCURSOR cursor = Selection::CursorFor(m_selection.TrackHit(), ToolChosen())) ::SetCursor(cursor);
    MoveResizeSelection(pt);
}

void CCorvaneDlg::MoveResizeSelection(POINT pt) {
    const RECT bounds = m_marks.Bounds();
    m_selection.TrackTo(pt, ToolChosen(), SIZE{m_view.Width(), m_view.Height()}, m_marks.Empty() ? nullptr : &bounds);
    RefreshSelectionStep();
}

void CCorvaneDlg::EndTrack(POINT pt) {
    m_selection.EndTrack();
    MoveResizeSelection(pt);
}

void CCorvaneDlg::ResetCapture() {
    m_phase.StartOver();
    m_bShowMagnifier = true;
    m_selection.EndTrack();
    m_textBox.Discard();  // an open text box belonged to the marks thrown away
    m_selection.Clear();
    m_palette.ResetTool();
    ShowPalette(false);
    ShowViewAtPointer();
}
