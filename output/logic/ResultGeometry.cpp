// Crop of the output image out of the selection.
#include "output/logic/ResultGeometry.h"

namespace output {

RECT ResultCropRect(const RECT& rc) {
    return RECT{rc.left + kCropLeadingInset, rc.top + kCropLeadingInset, rc.right - kCropTrailingInset,
                rc.bottom - kCropTrailingInset};
}

SIZE ResultSize(const RECT& rc) {
    const RECT crop = ResultCropRect(rc);
    return SIZE{rect::Width(crop), rect::Height(crop)};
}

bool ResultIsEmpty(const RECT& rc) {
    const SIZE size = ResultSize(rc);
    return size.cx <= 0 || size.cy <= 0;
}

}  // namespace output
