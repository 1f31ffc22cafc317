// Geometry of the capture's selection rectangle: hit codes, handle squares, cursors, moving and
// resizing with their clamps, and the size label. Plain integer functions over view coordinates, so
// the dialog calls them and the host tests run them without a window.
#pragma once

#include <array>
#include <string>

#include "framework/Compat.h"

// What a point over the selection touches. The cursor table and the resize rules are indexed by
// these values, so their numbering is fixed.
enum SelectionHit : int {
    HIT_NONE = -1,
    HIT_TOPLEFT = 0,
    HIT_TOPRIGHT = 1,
    HIT_BOTTOMRIGHT = 2,
    HIT_BOTTOMLEFT = 3,
    HIT_TOP = 4,
    HIT_RIGHT = 5,
    HIT_BOTTOM = 6,
    HIT_LEFT = 7,
    HIT_BODY = 8,
};

// System cursor ids as plain numbers, so the logic needs no <windows.h>; 0 means "leave the cursor".
enum : int {
    CURSOR_NONE = 0,
    CURSOR_ARROW = 32512,     // IDC_ARROW
    CURSOR_SIZENWSE = 32642,  // IDC_SIZENWSE
    CURSOR_SIZENESW = 32643,  // IDC_SIZENESW
    CURSOR_SIZEWE = 32644,    // IDC_SIZEWE
    CURSOR_SIZENS = 32645,    // IDC_SIZENS
    CURSOR_SIZEALL = 32646,   // IDC_SIZEALL
};

namespace selection {

// Half the side of a handle square; a handle at (x, y) covers x-2 .. x+1 under the PtInRect rule.
constexpr LONG kHandleHalf = 2;
// A point at most this far from an edge, inside the selection, grabs that edge.
constexpr LONG kBandReach = 3;
// Moving and resizing never bring the selection closer than this to the view's left and top.
constexpr LONG kViewMinEdge = 2;
// A resize keeps this much room around the shapes' bounds (left/top, right/bottom).
constexpr LONG kShapeMarginLeadingEdge = 3;
constexpr LONG kShapeMarginTrailingEdge = 4;

// Normalised rectangle spanned by two corners, in either order; equal coordinates give zero size.
RECT RectFromPoints(POINT a, POINT b);

// The handle square centred on (x, y): (x-2, y-2, x+2, y+2).
RECT HandleRect(LONG x, LONG y);

// The eight handle centres in drawing order: top-left, top-middle, top-right, middle-left,
// middle-right, bottom-left, bottom-middle, bottom-right. Middles truncate toward zero.
std::array<POINT, 8> HandlePoints(const RECT& rcSel);

// Centre of the handle for hit codes 0..7; {0, 0} for any other code.
POINT HandlePointForHit(const RECT& rcSel, int hit);

// The corner that stays fixed while the handle of `hit` (0..7) is dragged; false for other codes.
bool AnchorForHit(const RECT& rcSel, int hit, POINT* anchor);

struct HitResult {
    int hit = HIT_NONE;
    bool hasAnchor = false;  // true exactly for codes 0..7
    POINT anchor = {0, 0};   // meaningful only when hasAnchor
};

// Hit code of pt against the selection: the edge bands inside it first (left before right, top
// before bottom, which settles selections of 7 pixels or less), then the outer parts of the handle
// squares, else HIT_NONE. Codes 0..7 come with the anchor to record for a resize.
HitResult HitTest(const RECT& rcSel, POINT pt);

// Cursor id for a hit code: arrow for none, sizing arrows for handles, size-all for the body while
// no tool is chosen; CURSOR_NONE (leave the cursor alone) for the body with a tool, or an unknown code.
int CursorForHit(int hit, bool toolChosen);

// Everything a handle or body drag step depends on.
struct TrackStep {
    RECT rcSelection = {0, 0, 0, 0};  // current selection
    int hit = HIT_NONE;               // code recorded when the drag began
    bool toolChosen = false;
    POINT ptTrackStart = {0, 0};      // previous mouse point of this drag
    POINT ptAnchor = {0, 0};          // anchor recorded by the hit test when the drag began
    POINT pt = {0, 0};                // new mouse point
    LONG cxView = 0;                  // view size: the virtual screen
    LONG cyView = 0;
    bool hasShapes = false;
    RECT rcShapesBounds = {0, 0, 0, 0};
};

// The selection after one drag step. The body (with no tool chosen) moves by the mouse delta,
// stopped at 2 and at the view size; anything else resizes from the anchor to the clamped point,
// flipping when dragged across the anchor, and with shapes present keeps 3 pixels left/top and 4
// right/bottom around their bounds. A step without movement (pt equal to the track start, as in a
// click) changes nothing. The caller then stores pt as the next track start.
RECT MoveResizeSelection(const TrackStep& step);

struct SizeLabel {
    std::wstring text;  // "  WxH  ": the result image's size, 0 where it has none
    RECT box;           // 95 by 20 above the selection, or below it when there is no room above
};

SizeLabel SizeLabelFor(const RECT& rcSel);
// The same for a text that measures textSize in the label's font: the box grows to hold it (on a scaled
// desktop the font grows while the box's pixels would not), and stays 95 by 20 where the text fits.
SizeLabel SizeLabelFor(const RECT& rcSel, SIZE textSize);

}  // namespace selection
