// The result image: what the capture window shows inside the selection, without the frame bands and
// without the text box or anything floating above the view (the tool bars, the pointer, the
// magnifier, the mouse cursor). The pixels come from the view buffer, which is what the window shows
// under those windows.
#include "capture/CorvaneDlg.h"

#include "output/logic/ResultGeometry.h"

void CCorvaneDlg::BuildResultImage() {
    // The screen shows what is output: the uncommitted text box goes.
    m_edit.ShowWindow(SW_HIDE);
    Invalidate(FALSE);
    UpdateWindow();

    CClientDC dcWindow(this);
    const RECT r = m_rcSelection;
    const SIZE size = output::ResultSize(r);
    // Only one result lives at a time: an earlier one (a cancelled save, a busy clipboard) goes now.
    m_bmpResult.DeleteObject();
    if (output::ResultIsEmpty(r)) return;  // nothing inside the frame: no image at all

    m_bmpResult.CreateCompatibleBitmap(&dcWindow, size.cx, size.cy);
    CDC dcResult;
    dcResult.CreateCompatibleDC(&dcWindow);
    CSelectScope result(&dcResult, &m_bmpResult);
    const RECT crop = output::ResultCropRect(r);
    dcResult.BitBlt(0, 0, size.cx, size.cy, &m_dcView, crop.left, crop.top, SRCCOPY);
    // A shape still being dragged out shows on the window over the view, so it is part of the result.
    if (m_shapeCurrent.nKind != SHAPE_NONE) DrawShapeAt(&dcResult, m_shapeCurrent, POINT{crop.left, crop.top});
}
