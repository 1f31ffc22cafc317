// How a capture ends with its picture: the result image cut from the view, copied to the clipboard or
// saved to a file; the capture ends once the picture is out. output/ does the work.
#include "capture/CorvaneDlg.h"

#include "output/Output.h"

namespace {
// While the save dialog is open the foreground timer must not pull the capture over it.
constexpr int kTicksWhileSaving = 10;
}  // namespace

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
