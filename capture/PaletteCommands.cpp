// The capture window's side of the tool palette: the commands the bars issue, the bars' tooltips, and
// where the bars go as the selection changes. The palette itself is palette/ToolPalette.
#include "capture/CorvaneDlg.h"

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
