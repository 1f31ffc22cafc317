// The capture window's side of the selection: the phase changes of dragging out a region, of moving or
// resizing it, and of starting over; the region itself is selection/Selection.
#include "capture/CorvaneDlg.h"

#include "capture/logic/ViewRules.h"

void CCorvaneDlg::BeginNewSelection(POINT pt) {
    if (!m_bNewSelection) return;
    m_selection.BeginNew(pt);
    m_bShowMagnifier = false;
}

void CCorvaneDlg::DragNewSelection(UINT nFlags, POINT pt) {
    if (IsLeftDrag(nFlags) && m_selection.DragNew(pt)) RefreshSelectionStep();
}

void CCorvaneDlg::FinishNewSelection() {
    const RECT& rc = m_selection.Rect();
    if (m_bHasSelection || rect::Width(rc) == 0 || rect::Height(rc) == 0) return;
    m_bHasSelection = true;
    m_bNewSelection = false;
    m_bShowMagnifier = false;
}

void CCorvaneDlg::BeginTrack(POINT pt, int hit) {
    m_selection.UpdateCursor(pt, m_bToolChosen);
    m_selection.BeginTrack(pt, hit);
    ShowPalette(false);
    UpdateWindow();
}

void CCorvaneDlg::TrackSelection(UINT nFlags, POINT pt) {
    if (!IsLeftDrag(nFlags)) return;
    if (HCURSOR cursor = Selection::CursorFor(m_selection.TrackHit(), m_bToolChosen)) ::SetCursor(cursor);
    MoveResizeSelection(pt);
}

void CCorvaneDlg::MoveResizeSelection(POINT pt) {
    const RECT bounds = m_marks.Bounds();
    m_selection.TrackTo(pt, m_bToolChosen, SIZE{m_view.Width(), m_view.Height()}, m_marks.Empty() ? nullptr : &bounds);
    RefreshSelectionStep();
}

void CCorvaneDlg::EndTrack(POINT pt) {
    m_selection.EndTrack();
    MoveResizeSelection(pt);
}

void CCorvaneDlg::ResetCapture() {
    m_bNewSelection = true;
    m_nTool = 0;
    m_bHasSelection = false;
    m_bShowMagnifier = true;
    m_bWindowDetect = true;
    m_bToolChosen = false;
    m_selection.EndTrack();
    m_textBox.Discard();  // an open text box belonged to the marks thrown away
    m_selection.Clear();
    ResetToolButtons();
    ShowPalette(false);
    ShowViewAtPointer();
}
