// The result image: what the capture window shows inside the selection, without the frame bands and
// without the text box or anything floating above the view (the tool bars, the pointer, the
// magnifier, the mouse cursor). The pixels come from the view buffer, which is what the window shows
// under those windows.
#include "output/Output.h"

#include "output/logic/ResultGeometry.h"

namespace output {

bool MakeResultImage(CBitmap* pResult, CDC* pReference, CDC* pView, const RECT& rcSel,
                     const std::function<void(CDC*, POINT origin)>& drawOver) {
    pResult->DeleteObject();
    if (ResultIsEmpty(rcSel)) return false;  // nothing inside the frame: no image at all
    const SIZE size = ResultSize(rcSel);
    pResult->CreateCompatibleBitmap(pReference, size.cx, size.cy);
    CDC dcResult;
    dcResult.CreateCompatibleDC(pReference);
    CSelectScope result(&dcResult, pResult);
    const RECT crop = ResultCropRect(rcSel);
    dcResult.BitBlt(0, 0, size.cx, size.cy, pView, crop.left, crop.top, SRCCOPY);
    drawOver(&dcResult, POINT{crop.left, crop.top});
    return true;
}

}  // namespace output
