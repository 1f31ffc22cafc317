// What a key does in a capture, from the key, its modifiers and where the capture stands: the pointer or
// the region moved by a pixel, the region's size, undo and redo, copying the picture or the colour under
// the pointer. Plain values, so the rules are tested without a window.
#pragma once

#include <string>

#include "framework/Compat.h"

namespace keys {

enum class Step { None, MovePointer, MoveRegion, ResizeRegion, Undo, Redo, Copy, CopyColour };

// Where the capture stands when the key comes.
struct Situation {
    bool regionFixed = false;
    bool buttonDown = false;     // a mouse button held (a drag under way)
    bool tracking = false;       // a move or resize of the region by the mouse under way
    bool toolChosen = false;
    bool magnifierShown = false;
};

struct Action {
    Step step = Step::None;
    LONG dx = 0;  // for the moves and the resize: by how much, and which way
    LONG dy = 0;
};

// The step of a key press (vk, a virtual-key code). Arrows move the pointer while no region is fixed,
// while one is tracked and while a tool is chosen, and the fixed region otherwise (with no button down);
// Ctrl+arrows move its right or bottom edge. Shift makes a step 10 pixels. Ctrl+Z undoes, Ctrl+Y and
// Ctrl+Shift+Z redo, Ctrl+C copies a fixed region; C alone copies the colour the magnifier shows. Alt
// with any of them, or any other key, does nothing here.
Action ForKey(unsigned vk, bool ctrl, bool shift, bool alt, const Situation& s);

// The region after a MoveRegion or ResizeRegion step, by the rules of a drag of its inside or of its
// bottom-right handle within a view of cx by cy (marksBounds: the marks' extent, null without marks).
RECT StepRegion(const Action& action, const RECT& region, LONG cx, LONG cy, const RECT* marksBounds);

// The point moved by a MovePointer step, kept within the screen rectangle (right and bottom outside).
POINT StepPointer(const Action& action, POINT pt, const RECT& screen);

// A colour as the text "#RRGGBB" (upper-case hex).
std::wstring ColourText(COLORREF cr);

}  // namespace keys
