// Where the magnifier sits beside the cursor, and which square of the frozen screen it enlarges.
// Pure geometry: the magnifier window calls these and does the moving and drawing itself.
#pragma once

#include "framework/Compat.h"

namespace magnifier {

constexpr int WIDTH = 150;   // window width, also the side of the zoom square
constexpr int HEIGHT = 200;  // zoom square plus the text panel below it
constexpr int OFFSET = 20;   // gap between the hot spot and the window

// Window rectangle (desktop coordinates) for the cursor at ptCursor on the virtual screen rcScreen:
// 20 px right of and below the hot spot, flipped left/up when the window's width/height would cross
// the right/bottom edge (the flip tests ignore the gap, so the window may overhang by up to 20 px).
RECT PlaceBesideCursor(POINT ptCursor, const RECT& rcScreen);

// The cursor in snapshot (view) coordinates: ptCursor minus the virtual screen's top-left corner.
POINT SnapshotPoint(POINT ptCursor, int xScreen, int yScreen);

// Top-left corner of the nWidth/2 source square centred on ptSnapshot, kept inside a snapshot of
// cxScreen by cyScreen (at 0 when the snapshot is smaller than the square).
POINT SourceOrigin(POINT ptSnapshot, int cxScreen, int cyScreen, int nWidth = WIDTH);

}  // namespace magnifier
