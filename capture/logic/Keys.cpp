// The keys' rules.
#include "capture/logic/Keys.h"

#include <algorithm>

#include "selection/logic/SelectionGeometry.h"

namespace keys {

namespace {

// The arrow's direction, or false for any other key.
bool ArrowDelta(unsigned vk, LONG step, LONG* dx, LONG* dy) {
    *dx = *dy = 0;
    switch (vk) {
    case VK_LEFT: *dx = -step; return true;
    case VK_RIGHT: *dx = step; return true;
    case VK_UP: *dy = -step; return true;
    case VK_DOWN: *dy = step; return true;
    default: return false;
    }
}

}  // namespace

Action ForKey(unsigned vk, bool ctrl, bool shift, bool alt, const Situation& s) {
    if (alt) return {};
    LONG dx = 0, dy = 0;
    if (ArrowDelta(vk, shift ? 10 : 1, &dx, &dy)) {
        if (ctrl) {
            if (s.regionFixed && !s.buttonDown) return {Step::ResizeRegion, dx, dy};
            return {};
        }
        if (!s.regionFixed || s.tracking || s.toolChosen) return {Step::MovePointer, dx, dy};
        if (!s.buttonDown) return {Step::MoveRegion, dx, dy};
        return {};
    }
    if (ctrl && vk == 'Z') return {shift ? Step::Redo : Step::Undo, 0, 0};
    if (ctrl && !shift && vk == 'Y') return {Step::Redo, 0, 0};
    if (ctrl && !shift && vk == 'C') return s.regionFixed ? Action{Step::Copy, 0, 0} : Action{};
    if (!ctrl && !shift && vk == 'C' && s.magnifierShown) return {Step::CopyColour, 0, 0};
    return {};
}

RECT StepRegion(const Action& action, const RECT& region, LONG cx, LONG cy, const RECT* marksBounds) {
    selection::TrackStep step;
    step.rcSelection = region;
    step.cxView = cx;
    step.cyView = cy;
    step.hasShapes = marksBounds != nullptr;
    if (marksBounds) step.rcShapesBounds = *marksBounds;
    if (action.step == Step::MoveRegion) {
        step.hit = HIT_BODY;
        step.ptTrackStart = POINT{region.left, region.top};
    } else if (action.step == Step::ResizeRegion) {
        step.hit = HIT_BOTTOMRIGHT;
        step.ptTrackStart = selection::HandlePointForHit(region, HIT_BOTTOMRIGHT);
        selection::AnchorForHit(region, HIT_BOTTOMRIGHT, &step.ptAnchor);
    } else {
        return region;
    }
    step.pt = POINT{step.ptTrackStart.x + action.dx, step.ptTrackStart.y + action.dy};
    return selection::MoveResizeSelection(step);
}

POINT StepPointer(const Action& action, POINT pt, const RECT& screen) {
    return POINT{std::clamp<LONG>(pt.x + action.dx, screen.left, screen.right - 1),
                 std::clamp<LONG>(pt.y + action.dy, screen.top, screen.bottom - 1)};
}

std::wstring ColourText(COLORREF cr) {
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring text = L"#";
    for (unsigned v : {GetRValue(cr), GetGValue(cr), GetBValue(cr)}) {
        text += kHex[(v >> 4) & 0xF];
        text += kHex[v & 0xF];
    }
    return text;
}

}  // namespace keys
