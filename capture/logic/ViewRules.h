// Rules of the capture view and its input that need no window: which bands around a rectangle are
// dimmed, which moves count as a left drag, which keys move the caret while text is typed, and how long
// the window keeps taking the foreground back.
#pragma once

#include <vector>

#include "framework/Compat.h"

// The parts of a cx x cy surface outside rc, in blend order (top, bottom, left, right), each with a
// non-zero width and height. A rectangle with no width or no height yields nothing (the whole surface
// stays as it is); rc is normalised first, and bands never overlap.
std::vector<RECT> DimBands(const RECT& rc, int cx, int cy);

// The part of a cx x cy surface that shows undimmed around rc: rc normalised and kept inside the
// surface, or the whole surface when rc has no width or no height. With DimBands it tiles the surface.
RECT ClearArea(const RECT& rc, int cx, int cy);

// Where the view for rcNew can differ from the view for rcOld on a cx x cy surface, when each view is
// the surface dimmed outside its rectangle with marks that reach at most `reach` pixels beyond the
// rectangle's edges either way (a frame, handles, an outline): the rectangles whose dimming changes and
// the edge strips of both, kept inside the surface, none empty. Empty when the two are the same. False
// when a rectangle has no width or no height: such a view is not dimmed at all, so the change is not
// bounded by the edges and the caller recomposes the whole view.
bool ChangedArea(const RECT& rcOld, const RECT& rcNew, int reach, int cx, int cy, std::vector<RECT>* area);

// A mouse move counts as a left drag only with the left button alone down and neither Shift nor Ctrl.
inline bool IsLeftDrag(UINT nFlags) { return nFlags == MK_LBUTTON; }

// End, Home and the arrow keys, which move the caret of the text being typed.
inline bool IsCaretKey(WPARAM vk) { return vk >= VK_END && vk <= VK_DOWN; }

// A key message that repeats a key held down (the key was already down before it).
inline bool IsKeyRepeat(LPARAM lParam) { return (lParam & (LPARAM{1} << 30)) != 0; }

// The foreground timer forces the window forward on its first six ticks (counter 0..5) and then idles.
constexpr int kForegroundForcingTicks = 6;
inline bool ForegroundTickForces(int nTicksSoFar) { return nTicksSoFar < kForegroundForcingTicks; }

// Where the icon of a minimised window is drawn: centred, rounding the half pixel up.
inline POINT IconPosition(int cxClient, int cyClient, int cxIcon, int cyIcon) {
    return POINT{(cxClient - cxIcon + 1) / 2, (cyClient - cyIcon + 1) / 2};
}
