// Placement of the magnifier beside the cursor and its source square in the snapshot.
#include "selection/logic/MagnifierGeometry.h"

namespace magnifier {

namespace {

// One axis of the source square: start a quarter window before the cursor, so the cursor's pixel
// lands under the crosshair, and never let the square leave [0, extent).
LONG SourceStart(LONG pos, int extent, int nWidth) {
    const LONG side = nWidth / 2;
    LONG start = pos - nWidth / 4;
    if (start > extent - side) start = extent - side;
    if (start < 0) start = 0;
    return start;
}

}  // namespace

RECT PlaceBesideCursor(POINT ptCursor, const RECT& rcScreen) {
    RECT rc;
    if (ptCursor.x + WIDTH > rcScreen.right) {
        rc.left = ptCursor.x - OFFSET - WIDTH;
    } else {
        rc.left = ptCursor.x + OFFSET;
    }
    if (ptCursor.y + HEIGHT > rcScreen.bottom) {
        rc.top = ptCursor.y - OFFSET - HEIGHT;
    } else {
        rc.top = ptCursor.y + OFFSET;
    }
    rc.right = rc.left + WIDTH;
    rc.bottom = rc.top + HEIGHT;
    return rc;
}

POINT SnapshotPoint(POINT ptCursor, int xScreen, int yScreen) {
    return POINT{ptCursor.x - xScreen, ptCursor.y - yScreen};
}

POINT SourceOrigin(POINT ptSnapshot, int cxScreen, int cyScreen, int nWidth) {
    // The square's height follows the width too: the zoom area is square.
    return POINT{SourceStart(ptSnapshot.x, cxScreen, nWidth), SourceStart(ptSnapshot.y, cyScreen, nWidth)};
}

}  // namespace magnifier
