// Selection rectangle geometry: hit test, cursors, move/resize clamping and the size label.
#include "selection/logic/SelectionGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace selection {

namespace {

bool Near(LONG distance) { return std::labs(distance) <= kBandReach; }

LONG MidX(const RECT& rc) { return (rc.left + rc.right) / 2; }
LONG MidY(const RECT& rc) { return (rc.top + rc.bottom) / 2; }

LONG Clamp(LONG v, LONG lo, LONG hi) {
    // Not std::clamp: the view size may in principle be below the lower limit, and the lower limit
    // is tested first, as the drag rules state.
    if (v < lo) return lo;
    if (v > hi) return hi;
    return v;
}

// Hit code of a point inside the selection, by the edge bands.
int BandHit(const RECT& rc, POINT pt) {
    const bool nearLeft = Near(pt.x - rc.left);
    const bool nearRight = Near(pt.x - rc.right);
    const bool nearTop = Near(pt.y - rc.top);
    const bool nearBottom = Near(pt.y - rc.bottom);
    if (nearLeft) return nearTop ? HIT_TOPLEFT : nearBottom ? HIT_BOTTOMLEFT : HIT_LEFT;
    if (nearRight) return nearTop ? HIT_TOPRIGHT : nearBottom ? HIT_BOTTOMRIGHT : HIT_RIGHT;
    return nearTop ? HIT_TOP : nearBottom ? HIT_BOTTOM : HIT_BODY;
}

}  // namespace

RECT RectFromPoints(POINT a, POINT b) {
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

RECT HandleRect(LONG x, LONG y) {
    return RECT{x - kHandleHalf, y - kHandleHalf, x + kHandleHalf, y + kHandleHalf};
}

std::array<POINT, 8> HandlePoints(const RECT& rc) {
    const LONG mx = MidX(rc);
    const LONG my = MidY(rc);
    return {{{rc.left, rc.top},
             {mx, rc.top},
             {rc.right, rc.top},
             {rc.left, my},
             {rc.right, my},
             {rc.left, rc.bottom},
             {mx, rc.bottom},
             {rc.right, rc.bottom}}};
}

POINT HandlePointForHit(const RECT& rc, int hit) {
    switch (hit) {
        case HIT_TOPLEFT: return {rc.left, rc.top};
        case HIT_TOPRIGHT: return {rc.right, rc.top};
        case HIT_BOTTOMRIGHT: return {rc.right, rc.bottom};
        case HIT_BOTTOMLEFT: return {rc.left, rc.bottom};
        case HIT_TOP: return {MidX(rc), rc.top};
        case HIT_RIGHT: return {rc.right, MidY(rc)};
        case HIT_BOTTOM: return {MidX(rc), rc.bottom};
        case HIT_LEFT: return {rc.left, MidY(rc)};
        default: return {0, 0};
    }
}

bool AnchorForHit(const RECT& rc, int hit, POINT* anchor) {
    POINT a;
    switch (hit) {
        case HIT_TOPLEFT:
        case HIT_TOP:
        case HIT_LEFT: a = {rc.right, rc.bottom}; break;
        case HIT_TOPRIGHT: a = {rc.left, rc.bottom}; break;
        case HIT_BOTTOMRIGHT:
        case HIT_RIGHT:
        case HIT_BOTTOM: a = {rc.left, rc.top}; break;
        case HIT_BOTTOMLEFT: a = {rc.right, rc.top}; break;
        default: return false;
    }
    if (anchor) *anchor = a;
    return true;
}

HitResult HitTest(const RECT& rc, POINT pt) {
    HitResult result;
    if (rect::Contains(rc, pt)) {
        result.hit = BandHit(rc, pt);
    } else {
        // Only the outer halves of the squares remain; the order decides where squares overlap
        // in tiny selections.
        static constexpr int kOrder[] = {HIT_TOPLEFT, HIT_TOP,        HIT_TOPRIGHT, HIT_LEFT,
                                         HIT_RIGHT,   HIT_BOTTOMLEFT, HIT_BOTTOM,   HIT_BOTTOMRIGHT};
        for (int hit : kOrder) {
            const POINT c = HandlePointForHit(rc, hit);
            if (rect::Contains(HandleRect(c.x, c.y), pt)) {
                result.hit = hit;
                break;
            }
        }
    }
    result.hasAnchor = AnchorForHit(rc, result.hit, &result.anchor);
    return result;
}

int CursorForHit(int hit, bool toolChosen) {
    switch (hit) {
        case HIT_NONE: return CURSOR_ARROW;
        case HIT_TOPLEFT:
        case HIT_BOTTOMRIGHT: return CURSOR_SIZENWSE;
        case HIT_TOPRIGHT:
        case HIT_BOTTOMLEFT: return CURSOR_SIZENESW;
        case HIT_TOP:
        case HIT_BOTTOM: return CURSOR_SIZENS;
        case HIT_RIGHT:
        case HIT_LEFT: return CURSOR_SIZEWE;
        case HIT_BODY: return toolChosen ? CURSOR_NONE : CURSOR_SIZEALL;
        default: return CURSOR_NONE;
    }
}

RECT MoveResizeSelection(const TrackStep& s) {
    RECT rc = s.rcSelection;
    // Without movement there is nothing to apply: the edge clamps and a handle grabbed a little inside
    // its corner would otherwise shift a selection that was only clicked.
    if (rect::SamePoint(s.pt, s.ptTrackStart)) return rc;
    if (s.hit == HIT_BODY && !s.toolChosen) {
        LONG dx = s.pt.x - s.ptTrackStart.x;
        LONG dy = s.pt.y - s.ptTrackStart.y;
        if (rc.left + dx < kViewMinEdge) dx = kViewMinEdge - rc.left;
        if (rc.right + dx > s.cxView) dx = s.cxView - rc.right;
        if (rc.top + dy < kViewMinEdge) dy = kViewMinEdge - rc.top;
        if (rc.bottom + dy > s.cyView) dy = s.cyView - rc.bottom;
        return RECT{rc.left + dx, rc.top + dy, rc.right + dx, rc.bottom + dy};
    }

    const LONG x = Clamp(s.pt.x, kViewMinEdge, s.cxView);
    const LONG y = Clamp(s.pt.y, kViewMinEdge, s.cyView);
    // Edge handles move one edge only: the other coordinate comes from the current rectangle,
    // which lies on the anchor's opposite side, so the anchor still fixes three edges.
    POINT moving;
    switch (s.hit) {
        case HIT_TOP: moving = {rc.left, y}; break;
        case HIT_RIGHT: moving = {x, rc.bottom}; break;
        case HIT_BOTTOM: moving = {rc.right, y}; break;
        case HIT_LEFT: moving = {x, rc.top}; break;
        default: moving = {x, y}; break;
    }
    rc = RectFromPoints(s.ptAnchor, moving);

    if (s.hasShapes) {
        const RECT& b = s.rcShapesBounds;
        if (rc.top > b.top - kShapeMarginLeadingEdge) rc.top = b.top - kShapeMarginLeadingEdge;
        if (rc.bottom < b.bottom + kShapeMarginTrailingEdge) rc.bottom = b.bottom + kShapeMarginTrailingEdge;
        if (rc.left > b.left - kShapeMarginLeadingEdge) rc.left = b.left - kShapeMarginLeadingEdge;
        if (rc.right < b.right + kShapeMarginTrailingEdge) rc.right = b.right + kShapeMarginTrailingEdge;
        // Marks reach the view's edges (a rectangle follows the mouse out of the selection): the margin
        // stops where the resize's own clamps do, so that the result never reads outside the frozen
        // screen.
        rc.left = std::max<LONG>(rc.left, kViewMinEdge);
        rc.top = std::max<LONG>(rc.top, kViewMinEdge);
        rc.right = std::min<LONG>(rc.right, s.cxView);
        rc.bottom = std::min<LONG>(rc.bottom, s.cyView);
    }
    return rc;
}

SizeLabel SizeLabelFor(const RECT& rc) { return SizeLabelFor(rc, SIZE{0, 0}); }

SizeLabel SizeLabelFor(const RECT& rc, SIZE textSize) {
    // The frame bands (2 left/top, 3 right/bottom) are not part of the output, so the label shows
    // the result image's size rather than the rectangle's.
    const LONG w = std::max<LONG>(rc.right - rc.left - 5, 0);
    const LONG h = std::max<LONG>(rc.bottom - rc.top - 5, 0);
    SizeLabel label;
    label.text = L"  " + std::to_wstring(w) + L"x" + std::to_wstring(h) + L"  ";
    const LONG width = std::max<LONG>(95, textSize.cx), height = std::max<LONG>(20, textSize.cy);
    if (rc.top - height < 0) {
        label.box = RECT{rc.left + 5, rc.bottom + 4, rc.left + 5 + width, rc.bottom + 4 + height};
    } else {
        label.box = RECT{rc.left + 5, rc.top - height, rc.left + 5 + width, rc.top};
    }
    return label;
}

}  // namespace selection
