// Selection geometry: hit test bands and handles, cursors, move/resize clamping, shape margin, label.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "selection/logic/SelectionGeometry.h"

using namespace selection;

namespace {

std::string Str(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

const RECT kSel = {100, 100, 300, 200};

}  // namespace

TEST(SelectionGeometry, RectFromPointsNormalises) {
    struct Case { const char* name; POINT a, b; RECT want; };
    const Case cases[] = {
        {"top-left to bottom-right", {10, 10}, {20, 20}, {10, 10, 20, 20}},
        {"bottom-right to top-left", {20, 20}, {10, 10}, {10, 10, 20, 20}},
        {"bottom-left to top-right", {10, 20}, {20, 10}, {10, 10, 20, 20}},
        {"same point", {7, 9}, {7, 9}, {7, 9, 7, 9}},
        {"vertical line", {5, 30}, {5, 3}, {5, 3, 5, 30}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(rect::Equal(RectFromPoints(c.a, c.b), c.want)) << c.name << ": " << Str(RectFromPoints(c.a, c.b));
    }
}

TEST(SelectionGeometry, HandleSquaresAndPoints) {
    EXPECT_TRUE(rect::Equal(HandleRect(10, 20), RECT{8, 18, 12, 22}));

    struct Case { const char* name; RECT rc; std::vector<POINT> want; };
    const Case cases[] = {
        {"odd height truncates the middle", {100, 100, 300, 201},
         {{100, 100}, {200, 100}, {300, 100}, {100, 150}, {300, 150}, {100, 201}, {200, 201}, {300, 201}}},
        {"negative middle truncates toward zero", {-5, -3, 0, 0},
         {{-5, -3}, {-2, -3}, {0, -3}, {-5, -1}, {0, -1}, {-5, 0}, {-2, 0}, {0, 0}}},
        {"degenerate rectangle: all on one point", {5, 5, 5, 5},
         {{5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}}},
    };
    for (const Case& c : cases) {
        const auto pts = HandlePoints(c.rc);
        for (size_t i = 0; i < pts.size(); ++i) {
            EXPECT_TRUE(rect::SamePoint(pts[i], c.want[i])) << c.name << " handle " << i;
        }
    }
}

TEST(SelectionGeometry, HitTest) {
    // Anchors: 0, 4, 7 -> (r, b); 1 -> (l, b); 2, 5, 6 -> (l, t); 3 -> (r, t).
    const POINT rb = {300, 200}, lb = {100, 200}, lt = {100, 100}, rt = {300, 100};
    struct Case { const char* name; RECT rc; POINT pt; int hit; POINT anchor; };
    const Case cases[] = {
        {"top-left corner pixel", kSel, {100, 100}, HIT_TOPLEFT, rb},
        {"right band", kSel, {299, 150}, HIT_RIGHT, lt},
        {"outer half of top-middle handle", kSel, {200, 98}, HIT_TOP, rb},
        {"body", kSel, {200, 150}, HIT_BODY, {}},
        {"beyond the right handle", kSel, {303, 150}, HIT_NONE, {}},
        // Bands: left and top 4 pixels wide, right and bottom 3.
        {"left band inner edge", kSel, {103, 150}, HIT_LEFT, rb},
        {"just past the left band", kSel, {104, 150}, HIT_BODY, {}},
        {"right band inner edge", kSel, {297, 150}, HIT_RIGHT, lt},
        {"just before the right band", kSel, {296, 150}, HIT_BODY, {}},
        {"top band inner edge", kSel, {150, 103}, HIT_TOP, rb},
        {"just below the top band", kSel, {150, 104}, HIT_BODY, {}},
        {"bottom band inner edge", kSel, {150, 197}, HIT_BOTTOM, lt},
        {"just above the bottom band", kSel, {150, 196}, HIT_BODY, {}},
        {"left band meets bottom band", kSel, {103, 197}, HIT_BOTTOMLEFT, rt},
        {"right band meets top band", kSel, {297, 103}, HIT_TOPRIGHT, lb},
        {"right band meets bottom band", kSel, {297, 197}, HIT_BOTTOMRIGHT, lt},
        // Right and bottom edge lines are outside: only handle squares count there.
        {"right edge line at the middle handle", kSel, {300, 150}, HIT_RIGHT, lt},
        {"right edge line away from handles", kSel, {300, 130}, HIT_NONE, {}},
        {"bottom edge line at the middle handle", kSel, {200, 200}, HIT_BOTTOM, lt},
        {"bottom edge line away from handles", kSel, {150, 200}, HIT_NONE, {}},
        {"bottom-right corner point", kSel, {300, 200}, HIT_BOTTOMRIGHT, lt},
        // Outer halves of every handle, with the anchor each records.
        {"outside top-left handle", kSel, {98, 98}, HIT_TOPLEFT, rb},
        {"outside top-right handle", kSel, {301, 98}, HIT_TOPRIGHT, lb},
        {"outside bottom-right handle", kSel, {301, 201}, HIT_BOTTOMRIGHT, lt},
        {"outside bottom-left handle", kSel, {98, 201}, HIT_BOTTOMLEFT, rt},
        {"outside left-middle handle", kSel, {98, 150}, HIT_LEFT, rb},
        {"outside bottom-middle handle", kSel, {201, 201}, HIT_BOTTOM, lt},
        {"one past the top-left handle", kSel, {97, 100}, HIT_NONE, {}},
        {"one past the bottom-right handle", kSel, {302, 201}, HIT_NONE, {}},
        // Narrow selections: the left band is tested before the right, the top before the bottom.
        {"6 wide, 3 from both sides", {100, 100, 106, 200}, {103, 150}, HIT_LEFT, {106, 200}},
        {"6 wide, 1 from the right", {100, 100, 106, 200}, {105, 150}, HIT_RIGHT, {100, 100}},
        {"7 wide, 3 from left, 4 from right", {100, 100, 107, 200}, {103, 150}, HIT_LEFT, {107, 200}},
        {"7 wide, 4 from left, 3 from right", {100, 100, 107, 200}, {104, 150}, HIT_RIGHT, {100, 100}},
        {"6 high, 3 from both sides", {100, 100, 200, 106}, {150, 103}, HIT_TOP, {200, 106}},
        // Overlapping squares outside a tiny selection go by the stated order.
        {"tiny: top-left before top-middle", {100, 100, 102, 102}, {101, 98}, HIT_TOPLEFT, {102, 102}},
        {"tiny: top-middle before top-right", {100, 100, 102, 102}, {102, 98}, HIT_TOP, {102, 102}},
        {"tiny: top-right alone", {100, 100, 102, 102}, {103, 99}, HIT_TOPRIGHT, {100, 102}},
        {"no selection: top-left handle at origin", {0, 0, 0, 0}, {0, 0}, HIT_TOPLEFT, {0, 0}},
    };
    for (const Case& c : cases) {
        const HitResult r = HitTest(c.rc, c.pt);
        EXPECT_EQ(r.hit, c.hit) << c.name;
        const bool wantAnchor = c.hit >= 0 && c.hit <= 7;
        EXPECT_EQ(r.hasAnchor, wantAnchor) << c.name;
        if (wantAnchor) {
            EXPECT_TRUE(rect::SamePoint(r.anchor, c.anchor))
                << c.name << ": anchor (" << r.anchor.x << "," << r.anchor.y << ")";
        }
    }
}

TEST(SelectionGeometry, CursorForHit) {
    struct Case { int hit; bool tool; int want; };
    const Case cases[] = {
        {HIT_NONE, false, 32512},       {HIT_TOPLEFT, false, 32642}, {HIT_BOTTOMRIGHT, true, 32642},
        {HIT_TOPRIGHT, false, 32643},   {HIT_BOTTOMLEFT, true, 32643}, {HIT_TOP, false, 32645},
        {HIT_BOTTOM, false, 32645},     {HIT_RIGHT, false, 32644},   {HIT_LEFT, true, 32644},
        {HIT_BODY, false, 32646},       {HIT_BODY, true, 0},         {9, false, 0},
        {-2, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CursorForHit(c.hit, c.tool), c.want) << "hit " << c.hit << " tool " << c.tool;
    }
}

TEST(SelectionGeometry, MoveResize) {
    const RECT noShapes = {0, 0, 0, 0};
    const RECT shapes = {150, 130, 250, 170};
    struct Case {
        const char* name;
        RECT sel; int hit; bool tool; POINT start; POINT anchor; POINT pt; bool hasShapes; RECT bounds;
        RECT want;
    };
    const Case cases[] = {
        {"move by the mouse delta", kSel, HIT_BODY, false, {150, 150}, {}, {160, 145}, false, noShapes,
         {110, 95, 310, 195}},
        {"move stops at left 2", kSel, HIT_BODY, false, {150, 150}, {}, {0, 150}, false, noShapes,
         {2, 100, 202, 200}},
        {"move stops at top 2", kSel, HIT_BODY, false, {150, 150}, {}, {150, 0}, false, noShapes,
         {100, 2, 300, 102}},
        {"move stops at right = view width", kSel, HIT_BODY, false, {150, 150}, {}, {2000, 150}, false, noShapes,
         {1720, 100, 1920, 200}},
        {"move stops at bottom = view height", kSel, HIT_BODY, false, {150, 150}, {}, {150, 2000}, false,
         noShapes, {100, 980, 300, 1080}},
        {"move back from the edge at once", {2, 100, 202, 200}, HIT_BODY, false, {0, 150}, {}, {5, 150}, false,
         noShapes, {7, 100, 207, 200}},
        {"body with a tool chosen does not move", kSel, HIT_BODY, true, {150, 150}, {100, 100}, {160, 160},
         false, noShapes, {100, 100, 160, 160}},
        {"bottom-right corner grows", kSel, HIT_BOTTOMRIGHT, false, {300, 200}, {100, 100}, {400, 250}, false,
         noShapes, {100, 100, 400, 250}},
        {"bottom-right corner flips past the anchor", kSel, HIT_BOTTOMRIGHT, false, {300, 200}, {100, 100},
         {50, 60}, false, noShapes, {50, 60, 100, 100}},
        {"top-left corner flips past the anchor", kSel, HIT_TOPLEFT, false, {100, 100}, {300, 200}, {350, 250},
         false, noShapes, {300, 200, 350, 250}},
        {"left edge ignores y", kSel, HIT_LEFT, false, {100, 150}, {300, 200}, {150, 999}, false, noShapes,
         {150, 100, 300, 200}},
        {"left edge dragged past the right edge flips", kSel, HIT_LEFT, false, {100, 150}, {300, 200},
         {400, 150}, false, noShapes, {300, 100, 400, 200}},
        {"flipped left edge keeps moving the same edge", {300, 100, 400, 200}, HIT_LEFT, false, {400, 150},
         {300, 200}, {450, 150}, false, noShapes, {300, 100, 450, 200}},
        {"top edge ignores x", kSel, HIT_TOP, false, {200, 100}, {300, 200}, {999, 50}, false, noShapes,
         {100, 50, 300, 200}},
        {"top edge dragged past the bottom flips", kSel, HIT_TOP, false, {200, 100}, {300, 200}, {150, 260},
         false, noShapes, {100, 200, 300, 260}},
        {"right edge ignores y", kSel, HIT_RIGHT, false, {300, 150}, {100, 100}, {350, 5}, false, noShapes,
         {100, 100, 350, 200}},
        {"bottom edge ignores x", kSel, HIT_BOTTOM, false, {200, 200}, {100, 100}, {5, 250}, false, noShapes,
         {100, 100, 300, 250}},
        {"resize point clamped to 2 and the view height", kSel, HIT_BOTTOMRIGHT, false, {300, 200}, {100, 100},
         {-10, 2000}, false, noShapes, {2, 100, 100, 1080}},
        {"resize point clamped to the view width and 2", kSel, HIT_BOTTOMRIGHT, false, {300, 200}, {100, 100},
         {5000, 1}, false, noShapes, {100, 2, 1920, 100}},
        {"resize reaches the full view size", kSel, HIT_BOTTOMRIGHT, false, {300, 200}, {100, 100},
         {1920, 1080}, false, noShapes, {100, 100, 1920, 1080}},
        {"shrinking onto shapes keeps 4 right and bottom", kSel, HIT_BOTTOMRIGHT, true, {300, 200}, {100, 100},
         {200, 150}, true, shapes, {100, 100, 254, 174}},
        {"shrinking onto shapes keeps 3 left and top", kSel, HIT_TOPLEFT, true, {100, 100}, {300, 200},
         {200, 150}, true, shapes, {147, 127, 300, 200}},
        {"same shrink without shapes is free", kSel, HIT_BOTTOMRIGHT, false, {300, 200}, {100, 100}, {200, 150},
         false, shapes, {100, 100, 200, 150}},
        {"a click on the body at the top edge moves nothing", {100, 0, 400, 300}, HIT_BODY, false, {200, 150}, {},
         {200, 150}, false, noShapes, {100, 0, 400, 300}},
        {"a click on a handle inside its corner moves nothing", kSel, HIT_BOTTOMRIGHT, false, {298, 198},
         {100, 100}, {298, 198}, false, noShapes, kSel},
        {"flipping past shapes stops the new left edge", kSel, HIT_LEFT, true, {100, 150}, {300, 200},
         {400, 150}, true, shapes, {147, 100, 400, 200}},
    };
    for (const Case& c : cases) {
        TrackStep s;
        s.rcSelection = c.sel;
        s.hit = c.hit;
        s.toolChosen = c.tool;
        s.ptTrackStart = c.start;
        s.ptAnchor = c.anchor;
        s.pt = c.pt;
        s.cxView = 1920;
        s.cyView = 1080;
        s.hasShapes = c.hasShapes;
        s.rcShapesBounds = c.bounds;
        const RECT got = MoveResizeSelection(s);
        EXPECT_TRUE(rect::Equal(got, c.want)) << c.name << ": got " << Str(got) << " want " << Str(c.want);
    }
}

TEST(SelectionGeometry, SizeLabelGrowsToATextLargerThanItsBox) {
    // On a scaled desktop the label's font grows: the box takes the text's size, above the selection
    // while that fits.
    struct Case { const char* name; RECT sel; SIZE text; RECT box; };
    const Case cases[] = {
        {"text within 95 by 20: the box as ever", kSel, {80, 16}, {105, 80, 200, 100}},
        {"wider text", kSel, {140, 16}, {105, 80, 245, 100}},
        {"taller text", kSel, {80, 30}, {105, 70, 200, 100}},
        {"taller text with room for 20 but not 30 above goes below", {100, 25, 300, 125}, {80, 30}, {105, 129, 200, 159}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(rect::Equal(SizeLabelFor(c.sel, c.text).box, c.box)) << c.name << ": " << Str(SizeLabelFor(c.sel, c.text).box);
    }
}

TEST(SelectionGeometry, SizeLabel) {
    struct Case { const char* name; RECT sel; const wchar_t* text; RECT box; };
    const Case cases[] = {
        {"above the selection", kSel, L"  195x95  ", {105, 80, 200, 100}},
        {"3 by 3 shows zeros", {50, 50, 53, 53}, L"  0x0  ", {55, 30, 150, 50}},
        {"6 by 6 shows one pixel", {50, 50, 56, 56}, L"  1x1  ", {55, 30, 150, 50}},
        {"top 20 still fits above", {100, 20, 300, 120}, L"  195x95  ", {105, 0, 200, 20}},
        {"top 19 goes below", {100, 19, 300, 119}, L"  195x95  ", {105, 123, 200, 143}},
        {"point selection", {5, 5, 5, 5}, L"  0x0  ", {10, 9, 105, 29}},
    };
    for (const Case& c : cases) {
        const SizeLabel label = SizeLabelFor(c.sel);
        EXPECT_EQ(label.text, std::wstring(c.text)) << c.name;
        EXPECT_TRUE(rect::Equal(label.box, c.box)) << c.name << ": " << Str(label.box);
    }
}
