// The drawing tools' plain rules.
#include "annotation/logic/Drawing.h"

#include <algorithm>
#include <cmath>

#include "palette/logic/Palette.h"
#include "selection/logic/SelectionGeometry.h"

namespace drawing {

POINT ClampToSelection(POINT pt, const RECT& s, int size) {
    if (pt.x <= s.left + 1) pt.x = s.left + size;
    if (pt.x >= s.right - size + 1) pt.x = s.right - size - 1;
    if (pt.y <= s.top + 1) pt.y = s.top + size;
    if (pt.y >= s.bottom - size + 1) pt.y = s.bottom - size - 1;
    return pt;
}

Release ReleaseShape(int tool, POINT from, POINT pt, POINT lastMouse, const RECT& rcSel) {
    const POINT end = rect::Contains(rcSel, pt) ? pt : lastMouse;
    switch (tool) {
    case TOOL_ARROW:
        if (rect::SamePoint(end, from)) return Release{SHAPE_NONE, from, end};
        return Release{SHAPE_ARROW, from, end};
    case TOOL_PEN:
        return Release{SHAPE_PEN, from, end};
    case TOOL_ELLIPSE:
        return Release{SHAPE_ELLIPSE, from, end};
    case TOOL_RECT: {
        const RECT r = selection::RectFromPoints(from, pt);
        return Release{SHAPE_RECT, POINT{r.left, r.top}, POINT{r.right, r.bottom}};
    }
    default:
        return Release{SHAPE_NONE, from, pt};
    }
}

std::array<PointF, 7> ArrowPolygon(POINT a, POINT b, int size) {
    const float pi = 3.1415927f;
    const float theta = static_cast<float>(std::atan2(static_cast<double>(static_cast<float>(b.y - a.y)),
                                                      static_cast<double>(static_cast<float>(b.x - a.x))));
    const float phi = theta + pi;
    const float len = static_cast<float>(5 * size + 10);
    const float alpha = 2 * pi / 13;  // outer barbs
    const float beta = 2 * pi / 17;   // inner corners
    const float halfPi = pi / 2;
    const PointF tail = {static_cast<float>(a.x), static_cast<float>(a.y)};
    const PointF tip = {static_cast<float>(b.x), static_cast<float>(b.y)};
    auto at = [](PointF origin, float distance, float angle) {
        const float c = static_cast<float>(std::cos(static_cast<double>(angle)));
        const float s = static_cast<float>(std::sin(static_cast<double>(angle)));
        return PointF{origin.x + distance * c, origin.y + distance * s};
    };
    return {at(tail, 0.5f, phi - halfPi), at(tip, len - 4, phi - beta), at(tip, len, phi - alpha), tip,
            at(tip, len, phi + alpha),   at(tip, len - 4, phi + beta), at(tail, 0.5f, phi + halfPi)};
}

bool FigureBox(POINT from, POINT to, const RECT& rcSel, RECT* box) {
    const RECT r = selection::RectFromPoints(from, to);
    const RECT inset = {rcSel.left + 3, rcSel.top + 3, rcSel.right - 3, rcSel.bottom - 3};
    const RECT d = {std::max(r.left, inset.left), std::max(r.top, inset.top), std::min(r.right, inset.right),
                    std::min(r.bottom, inset.bottom)};
    if (rect::IsEmpty(d)) return false;
    *box = d;
    return true;
}

namespace {
constexpr int kTextRoom = 30;        // room after the widest line
constexpr int kOneLineHeight = 40;
constexpr int kLineStep = 20;        // height per wrapped line
constexpr int kRightGap = 3;
constexpr int kBottomGap = 2;
}  // namespace

RECT FitTextBox(const RECT& box, int textWidth, const RECT& rcSel) {
    RECT b = box;
    const int room = rcSel.right - b.left - kRightGap;
    if (textWidth + kTextRoom <= room) {
        b.right = b.left + textWidth + kTextRoom;
        b.bottom = b.top + kOneLineHeight;
    } else if (room > 0) {
        b.right = b.left + room;
        b.bottom = b.top + (textWidth / room + 2) * kLineStep;
    } else {
        // The selection was resized to within 3 pixels of the box: a sliver of one line stays.
        b.right = b.left + 1;
        b.bottom = b.top + kLineStep;
    }
    if (b.bottom >= rcSel.bottom) b.bottom = std::max<LONG>(rcSel.bottom - kBottomGap, b.top + 1);
    return b;
}

RECT GrowToText(const RECT& box, int textHeight, const RECT& rcSel) {
    RECT b = box;
    const LONG needed = std::min<LONG>(b.top + textHeight, rcSel.bottom - kBottomGap);
    if (b.bottom < needed) b.bottom = needed;
    return b;
}

}  // namespace drawing
