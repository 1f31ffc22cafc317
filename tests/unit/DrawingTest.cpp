// The drawing tools' rules: the clamp into the selection, what a release commits, the arrow's outline,
// the figure box and the text box fit.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "annotation/logic/Drawing.h"
#include "palette/logic/Palette.h"

namespace {

std::string Str(POINT p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }
std::string Str(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

const RECT kSel = {100, 50, 500, 350};

TEST(ClampToSelection, PointsStayInsideByTheSize) {
    struct Case { const char* name; int size; POINT in; POINT out; } cases[] = {
        {"size 4: one pixel inside the left edge goes to l + 4", 4, {101, 200}, {104, 200}},
        {"size 4: two pixels inside stays", 4, {102, 200}, {102, 200}},
        {"size 4: left of the selection goes to l + 4", 4, {90, 200}, {104, 200}},
        {"size 4: from r - 3 on goes to r - 5", 4, {497, 200}, {495, 200}},
        {"size 4: r - 4 stays", 4, {496, 200}, {496, 200}},
        {"size 4: beyond the right edge", 4, {900, 200}, {495, 200}},
        {"size 1: top edge goes to t + 1", 1, {300, 50}, {300, 51}},
        {"size 1: bottom edge goes to b - 2", 1, {300, 350}, {300, 348}},
        {"size 2: outside a corner", 2, {0, 0}, {102, 52}},
    };
    for (const Case& c : cases) EXPECT_EQ(Str(drawing::ClampToSelection(c.in, kSel, c.size)), Str(c.out)) << c.name;
}

TEST(ReleaseShape, EachToolEndsWhereItsRuleSays) {
    const POINT from = {200, 100}, inside = {300, 200}, outside = {600, 400}, last = {495, 345};
    struct Case { const char* name; int tool; POINT at; int kind; POINT ptFrom; POINT ptTo; } cases[] = {
        {"arrow inside", TOOL_ARROW, inside, SHAPE_ARROW, from, inside},
        {"arrow outside ends at the last clamped point", TOOL_ARROW, outside, SHAPE_ARROW, from, last},
        {"arrow released on its tail commits nothing", TOOL_ARROW, from, SHAPE_NONE, from, from},
        {"pen outside ends at the last clamped point", TOOL_PEN, outside, SHAPE_PEN, from, last},
        {"ellipse keeps its corners as dragged", TOOL_ELLIPSE, {150, 60}, SHAPE_ELLIPSE, from, {150, 60}},
        {"ellipse click is a zero-size shape", TOOL_ELLIPSE, from, SHAPE_ELLIPSE, from, from},
        {"rectangle follows the mouse outside, normalised", TOOL_RECT, {600, 20}, SHAPE_RECT, {200, 20}, {600, 100}},
        {"rectangle click is a zero-size shape", TOOL_RECT, from, SHAPE_RECT, from, from},
    };
    for (const Case& c : cases) {
        const drawing::Release r = drawing::ReleaseShape(c.tool, from, c.at, last, kSel);
        EXPECT_EQ(r.kind, c.kind) << c.name;
        if (c.kind == SHAPE_NONE) continue;
        EXPECT_EQ(Str(r.ptFrom), Str(c.ptFrom)) << c.name;
        EXPECT_EQ(Str(r.ptTo), Str(c.ptTo)) << c.name;
    }
}

double Dist(drawing::PointF a, double x, double y) { return std::hypot(a.x - x, a.y - y); }

TEST(ArrowPolygon, HeadGrowsWithTheSizeAndSweepsBack) {
    // An arrow pointing right from (100, 200) to (300, 200): the head's points lie behind the tip.
    const double alpha = 2 * 3.1415927 / 13, beta = 2 * 3.1415927 / 17;
    for (int size : {1, 2, 4}) {
        const double len = 5 * size + 10;  // 15, 20, 30
        const auto p = drawing::ArrowPolygon(POINT{100, 200}, POINT{300, 200}, size);
        const std::string name = "size " + std::to_string(size);
        EXPECT_NEAR(Dist(p[0], 100, 200.5), 0, 1e-3) << name << ": tail half a pixel to one side";
        EXPECT_NEAR(Dist(p[6], 100, 199.5), 0, 1e-3) << name << ": and to the other";
        EXPECT_NEAR(Dist(p[3], 300, 200), 0, 1e-6) << name << ": tip";
        EXPECT_NEAR(Dist(p[2], 300 - len * std::cos(alpha), 200 + len * std::sin(alpha)), 0, 1e-3) << name;
        EXPECT_NEAR(Dist(p[4], 300 - len * std::cos(alpha), 200 - len * std::sin(alpha)), 0, 1e-3) << name;
        EXPECT_NEAR(Dist(p[1], 300 - (len - 4) * std::cos(beta), 200 + (len - 4) * std::sin(beta)), 0, 1e-3) << name;
        EXPECT_NEAR(Dist(p[5], 300 - (len - 4) * std::cos(beta), 200 - (len - 4) * std::sin(beta)), 0, 1e-3) << name;
    }
    const auto still = drawing::ArrowPolygon(POINT{50, 50}, POINT{50, 50}, 2);
    EXPECT_LT(still[2].x, 50) << "an arrow without length points right: its barbs lie left of the tip";
    EXPECT_NEAR(still[2].y + still[4].y, 100, 1e-3);
}

TEST(FigureBox, InsideTheInsetSelectionOrNothing) {
    struct Case { const char* name; POINT from; POINT to; bool drawn; RECT box; } cases[] = {
        {"inside", {200, 100}, {300, 200}, true, {200, 100, 300, 200}},
        {"far corner outside: sides 3 pixels in", {300, 200}, {900, 900}, true, {300, 200, 497, 347}},
        {"no overlap draws nothing", {600, 400}, {700, 500}, false, {}},
        {"zero width draws nothing", {200, 100}, {200, 300}, false, {}},
        {"click draws nothing", {200, 100}, {200, 100}, false, {}},
    };
    for (const Case& c : cases) {
        RECT box = {};
        EXPECT_EQ(drawing::FigureBox(c.from, c.to, kSel, &box), c.drawn) << c.name;
        if (c.drawn) {
            EXPECT_EQ(Str(box), Str(c.box)) << c.name;
        }
    }
}

TEST(FitTextBox, GrowsRightThenWrapsAndNeverInverts) {
    struct Case { const char* name; RECT box; int width; RECT out; } cases[] = {
        {"fits: width + 30, 40 high", {200, 100, 260, 140}, 50, {200, 100, 280, 140}},
        {"empty text measured as 30", {200, 100, 260, 140}, 30, {200, 100, 260, 140}},
        {"too wide: the room left, 20 per wrap", {400, 100, 460, 140}, 200, {400, 100, 497, 180}},
        {"bottom stops 2 above the selection's", {400, 300, 460, 340}, 500, {400, 300, 497, 348}},
        {"no room left: a sliver, not a negative width", {497, 100, 560, 140}, 50, {497, 100, 498, 120}},
        {"box beyond the right edge", {520, 100, 580, 140}, 50, {520, 100, 521, 120}},
    };
    for (const Case& c : cases) EXPECT_EQ(Str(drawing::FitTextBox(c.box, c.width, kSel)), Str(c.out)) << c.name;
}

TEST(GrowToText, TallEnoughForEveryLineButNotPastTheSelection) {
    const RECT box = {200, 100, 300, 140};
    struct Case { const char* name; int height; LONG bottom; } cases[] = {
        {"one line fits: stays 40 high", 30, 140},
        {"three lines grow it", 84, 184},
        {"stops 2 above the selection's bottom", 400, 348},
    };
    for (const Case& c : cases) EXPECT_EQ(drawing::GrowToText(box, c.height, kSel).bottom, c.bottom) << c.name;
}

}  // namespace
