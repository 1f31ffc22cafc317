// The capture window's side of the marks: the text tool's press and release, the text box's commit and
// notifications, undo and clearing. The marks and the box themselves are annotation/.
#include "capture/CorvaneDlg.h"

#include "palette/logic/Palette.h"

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
        ResetCapture();
        return;
    }
    ComposeView();
    Invalidate(FALSE);
    UpdateWindow();
}

void CCorvaneDlg::ClearShapes() {
    m_marks.Clear();
    ResetCapture();
}
