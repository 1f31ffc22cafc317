// The plain rules of the drawing tools: where a dragged point may go, which shape a release commits, the
// arrow's outline, and how the text box fits its text.
#pragma once

#include <array>

#include "annotation/logic/Shape.h"

namespace drawing {

// Pulls a point into the selection, inset by the stroke size s: at most one pixel inside the left or
// top edge (or beyond it) gives l + s or t + s; from r - s + 1 or b - s + 1 on gives r - s - 1 or b - s - 1.
POINT ClampToSelection(POINT pt, const RECT& rcSel, int size);

// What a drag tool commits at its release. kind SHAPE_NONE: nothing (an arrow released on its tail).
// The arrow, pen and ellipse end at the release point when it is inside the selection and at the last
// clamped mouse point otherwise; the rectangle ends at the release point wherever it is, normalised.
struct Release {
    int kind;
    POINT ptFrom;
    POINT ptTo;
};
Release ReleaseShape(int tool, POINT ptFrom, POINT ptRelease, POINT ptLastMouse, const RECT& rcSel);

// The seven points of the filled arrow from tail a to tip b: a shaft one pixel wide at the tail widening
// to a head 5 * size + 10 long with swept-back barbs. Single precision throughout.
struct PointF {
    float x;
    float y;
};
std::array<PointF, 7> ArrowPolygon(POINT a, POINT b, int size);

// The box of a rectangle or an ellipse: its normalised rectangle within the selection inset by 3. false
// when nothing of it is left (no overlap, or no width or no height), which draws nothing.
bool FigureBox(POINT from, POINT to, const RECT& rcSel, RECT* box);

// The text box fitted to text whose widest line is textWidth pixels, keeping its top-left corner: a line
// that fits gets 30 pixels of room and a height of 40; a longer text takes the room left to the selection's
// right edge (less 3) and grows 20 pixels per wrap; the bottom stays 2 pixels above the selection's. With
// no room at all the box keeps a small size that still lies inside the selection.
RECT FitTextBox(const RECT& box, int textWidth, const RECT& rcSel);

// The fitted box made tall enough for text that needs textHeight pixels at its width, still ending 2
// pixels above the selection's bottom: the committed text is drawn in the box's rectangle, which would
// otherwise drop the lines below its bottom.
RECT GrowToText(const RECT& box, int textHeight, const RECT& rcSel);

}  // namespace drawing
