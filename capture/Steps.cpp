// The steps of a capture that its messages take: making and tracking the region and starting over, the
// marks and the text box, the palette's commands, and ending with the picture. The parts do the work:
// selection/, annotation/, palette/, output/.
#include "capture/CorvaneDlg.h"

#include "capture/logic/ViewRules.h"
#include "output/Output.h"
#include "palette/logic/Palette.h"

namespace {
// While the save dialog is open the foreground timer must not pull the capture over it.
constexpr int kTicksWhileSaving = 10;
}  // namespace

// The region.

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

// Marks and text.

ToolContext CCorvaneDlg::CurrentTool() const { return ToolContext{m_selection.Rect(), m_palette.Size(), m_palette.Color()}; }

void CCorvaneDlg::TextToolDown(POINT pt) {
    if (m_textBox.IsOpen()) {
        const RECT box = m_textBox.Rect();
        if (::PtInRect(&box, pt)) return;  // the press belongs to the box: caret or text selection
        CommitText();
    }
    m_textBox.Press(pt, m_selection.Rect());
}

void CCorvaneDlg::TextToolUp(POINT pt) { m_textBox.Release(pt, CurrentTool(), m_marks.Fonts().ForSize(m_palette.Size())); }

void CCorvaneDlg::CommitText() {
    if (std::optional<CShape> text = m_textBox.TakeText(CurrentTool())) {
        m_marks.Add(std::move(*text));
        ComposeView();
    }
    // Hiding the box uncovers the view, where the new mark is drawn now. The keyboard leaves the hidden
    // box for the main tool bar, so that keys reach the capture again.
    m_textBox.Close(m_palette.MainBar().m_hWnd);
}

void CCorvaneDlg::OnEnChangeText() { m_textBox.Fit(m_selection.Rect(), m_marks.Fonts().ForSize(m_palette.Size())); }

void CCorvaneDlg::OnEnSetFocusText() { m_textBox.OnFocus(); }

void CCorvaneDlg::OnEnKillFocusText() {
    // The box stays open without the focus: a click on a tool bar button must not lose the text.
}

HBRUSH CCorvaneDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT) {
    const auto result = reinterpret_cast<HBRUSH>(Default());
    if (!pWnd || !m_textBox.IsBox(pWnd->m_hWnd)) return result;
    return m_textBox.PaintBackground(pDC, m_view.Buffer(), m_palette.Color());
}

void CCorvaneDlg::OnUndo() {
    CommitText();  // a text being typed becomes the last mark, so the undo takes it
    if (!m_marks.Undo()) {
        // Nothing left to undo: the selection goes too, and the capture starts over.
        m_marks.Clear();
        ResetCapture();
        return;
    }
    ComposeView();
    Invalidate(FALSE);
    UpdateWindow();
}

void CCorvaneDlg::RedoMark() {
    CommitText();  // as for undo: a text being typed is kept first (and a kept text ends what can be redone)
    if (!m_marks.Redo()) return;
    ComposeView();
    Invalidate(FALSE);
    UpdateWindow();
}

void CCorvaneDlg::CopyColourUnderPointer() {
    POINT cursor;
    ::GetCursorPos(&cursor);
    const COLORREF colour = ::GetPixel(m_view.Frozen(), cursor.x - m_view.Screen().left, cursor.y - m_view.Screen().top);
    // The clipboard held by another program: the capture stays, as for the picture.
    if (output::PlaceTextOnClipboard(keys::ColourText(colour), m_hWnd)) OnClose();
}

void CCorvaneDlg::ClearShapes() {
    m_marks.Clear();
    ResetCapture();
}

// The palette's commands.

void CCorvaneDlg::PlaceToolBars(BOOL bShowInside) {
    if (!m_phase.FixedRegion()) {
        m_palette.Show(false);
        UpdateWindow();
        return;
    }
    if (m_palette.Place(m_selection.Rect(), m_view.Height(), bShowInside != FALSE)) UpdateWindow();
}

void CCorvaneDlg::ShowPalette(bool bShow) { m_palette.Show(bShow); }

void CCorvaneDlg::SelectTool(int nTool) {
    CommitText();
    m_phase.ChooseTool();
    m_palette.ChooseTool(nTool);
}

void CCorvaneDlg::OnToolCommand(UINT nID) { SelectTool(palette::ToolForCommand(nID)); }

void CCorvaneDlg::OnColorCommand(UINT nID) {
    const int index = palette::ColorIndexForCommand(nID);
    if (index < 0) return;
    m_palette.ChooseColor(index);
    m_textBox.Repaint();  // a text being typed shows in the new colour
}

void CCorvaneDlg::OnSizeCommand(UINT nID) {
    const int chosen = palette::SizeButtonForCommand(nID);
    if (chosen < 0) return;
    m_palette.ChooseSize(chosen);
    m_textBox.SetFont(m_marks.Fonts().ForSize(m_palette.Size()));
    if (m_textBox.IsVisible()) OnEnChangeText();  // the box fits its text in the new font
}

BOOL CCorvaneDlg::OnToolTipNeedText(UINT, NMHDR* pNMHDR, LRESULT*) {
    auto* tip = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
    if (const wchar_t* text = palette::ToolTipText(static_cast<unsigned>(pNMHDR->idFrom))) {
        tip->lpszText = const_cast<wchar_t*>(text);
    }
    return TRUE;  // also for the colours, whose tooltips stay empty
}

// The picture out, and the end.

void CCorvaneDlg::BuildResultImage() {
    // The screen shows what is output: the uncommitted text box goes.
    m_textBox.Hide();
    Invalidate(FALSE);
    UpdateWindow();

    CClientDC dcWindow(this);
    // Only one result lives at a time: an earlier one (a cancelled save, a busy clipboard) goes now.
    const RECT rcSel = m_selection.Rect();
    output::MakeResultImage(&m_bmpResult, &dcWindow, &m_view.Buffer(), rcSel, [this, &rcSel](CDC* pDC, POINT origin) {
        // A shape still being dragged out shows on the window over the view, so it is part of the result.
        if (const CShape* preview = m_marks.Preview()) DrawMark(pDC, *preview, rcSel, &m_marks.Fonts(), origin);
    });
}

void CCorvaneDlg::CopyResultToClipboard() {
    // No image (no selection, or one too small to hold any pixel): the user's clipboard is left alone
    // and the capture goes on. Another program holds the clipboard: the capture stays as it is, so the
    // user can try again.
    if (!m_bmpResult.GetSafeHandle()) return;
    if (output::PlaceOnClipboard(&m_bmpResult, m_hWnd)) OnClose();
}

void CCorvaneDlg::SaveResultToFile() {
    // No image (no selection, or one too small to hold any pixel): nothing to save, no dialog.
    if (!m_bmpResult.GetSafeHandle()) return;
    m_nForegroundTicks = kTicksWhileSaving;
    // Not saved (cancelled, or it failed and said so): the capture stays as it was, so the user can pick
    // another place or copy instead.
    if (output::SaveWithDialog(m_bmpResult, m_hWnd)) OnClose();
    m_nForegroundTicks = 0;
}

void CCorvaneDlg::OnClose() {
    m_magnifier.reset();
    m_view.ReleaseFrozen();
    ClearShapes();  // back to the initial state; its recomposition finds no frozen screen
    ::PostQuitMessage(0);
    Default();
}
