// The palette's placement beside the selection, the pointer under the active tool, the tables that tie
// buttons to their images, and the extent of the committed shapes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "annotation/logic/Shape.h"
#include "palette/logic/Palette.h"

namespace {

std::string Str(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// Bars 44 (main) and 40 (option) high on a view 1080 high.
TEST(PlaceBars, BelowInsideOrAboveTheSelection) {
    struct Case {
        const char* name;
        RECT sel;
        bool showInside;
        bool hidden;
        RECT main;
        RECT option;
    } cases[] = {
        {"below, right-aligned", {500, 300, 900, 600}, true, false, {532, 605, 900, 649}, {532, 662, 870, 702}},
        {"no room below: above, left-aligned", {100, 100, 300, 1050}, true, false, {100, 51, 468, 95},
         {100, 108, 438, 148}},
        {"whole view: inside along the top", {0, 0, 1920, 1080}, true, false, {1552, 5, 1920, 49},
         {1552, 62, 1890, 102}},
        {"whole view during a drag: hidden", {0, 0, 1920, 1080}, false, true, {}, {}},
        {"narrow selection inside: its bar sticks out left and stays during a drag", {400, 0, 600, 1080}, false,
         false, {232, 5, 600, 49}, {232, 62, 570, 102}},
        {"below stays below during a drag", {500, 300, 900, 600}, false, false, {532, 605, 900, 649},
         {532, 662, 870, 702}},
        {"one pixel short of room below goes above", {500, 300, 900, 1011}, true, false, {532, 251, 900, 295},
         {532, 308, 870, 348}},
        {"just room below", {500, 300, 900, 1010}, true, false, {532, 1015, 900, 1059}, {532, 1072, 870, 1112}},
    };
    for (const Case& c : cases) {
        const palette::BarPlacement p = palette::PlaceBars(c.sel, 44, 40, 1080, c.showInside);
        EXPECT_EQ(p.hide, c.hidden) << c.name;
        if (c.hidden) continue;
        EXPECT_EQ(Str(p.mainBar), Str(c.main)) << c.name;
        EXPECT_EQ(Str(p.optionBar), Str(c.option)) << c.name;
    }
}

TEST(PlaceBars, PointerRestsOnTheOptionBarUnderTheToolsButton) {
    const RECT main = {532, 605, 900, 649}, option = {532, 662, 870, 702};
    struct Case { const char* name; int tool; LONG left; } cases[] = {
        {"no tool", TOOL_NONE, 542}, {"arrow", TOOL_ARROW, 542}, {"rectangle", TOOL_RECT, 582},
        {"ellipse", TOOL_ELLIPSE, 622}, {"pen", TOOL_PEN, 662}, {"text", TOOL_TEXT, 702},
    };
    for (const Case& c : cases) {
        const RECT r = palette::IndicatorRect(main, option, c.tool);
        EXPECT_EQ(Str(r), Str(RECT{c.left, 652, c.left + 20, 662})) << c.name;
    }
}

// Each button's "not current" image is the icon named by its own command; the "current" one follows it.
TEST(PaletteTables, ButtonsShowTheIconsOfTheirCommands) {
    using namespace palette;
    for (int i = 0; i < kButtonCount; ++i) EXPECT_EQ(kMainImages[i], kMainButtons[i]) << "main button " << i;
    for (int i = 0; i < kColorCount; ++i) {
        EXPECT_EQ(kOptionButtons[ColorButton(i)], kColors[i].id) << "colour " << i;
        EXPECT_EQ(kOptionImages[ColorImage(i, false)], kColors[i].id) << "colour " << i;
        EXPECT_EQ(kOptionImagesAtStart[ColorButton(i)], ColorImage(i, i == 0)) << "colour " << i << " at start";
    }
    for (int b = 0; b < kSizeCount; ++b) {
        EXPECT_EQ(kOptionButtons[b], kSizes[b].id) << "size " << b;
        EXPECT_EQ(kOptionImages[SizeImage(b, false)], kSizes[b].id) << "size " << b;
        EXPECT_EQ(kOptionImagesAtStart[b], SizeImage(b, kSizes[b].value == SIZE_MEDIUM)) << "size " << b << " at start";
    }
    for (int t = 0; t < kToolCount; ++t) {
        EXPECT_EQ(IndicatorOffset(ToolForCommand(kMainButtons[t])), 10 + 40 * t) << "tool button " << t;
    }
    EXPECT_EQ(ToolForCommand(ID_UNDO), TOOL_NONE);
    EXPECT_EQ(ColorIndexForCommand(ID_SIZE_SMALL), -1);
    EXPECT_EQ(SizeButtonForCommand(ID_COLOR_RED), -1);
    EXPECT_EQ(ToolTipText(ID_COLOR_RED), nullptr);
}

std::unique_ptr<CShape> Make(int kind, POINT from, POINT to, std::vector<POINT> points = {}) {
    auto s = std::make_unique<CShape>();
    s->nKind = kind;
    s->ptFrom = from;
    s->ptTo = to;
    s->points = std::move(points);
    return s;
}

TEST(ShapesBounds, UnionOfNormalisedExtentsAndStrokePoints) {
    struct Case { const char* name; std::vector<std::unique_ptr<CShape>> (*make)(); RECT bounds; } cases[] = {
        {"ellipse dragged up-left is normalised",
         [] { std::vector<std::unique_ptr<CShape>> v; v.push_back(Make(SHAPE_ELLIPSE, {300, 200}, {100, 50})); return v; },
         {100, 50, 300, 200}},
        {"pen: box of its points, not of its (0,0) ends",
         [] { std::vector<std::unique_ptr<CShape>> v;
              v.push_back(Make(SHAPE_PEN, {0, 0}, {0, 0}, {{50, 60}, {40, 90}, {70, 55}})); return v; },
         {40, 55, 70, 90}},
        {"text box and an arrow widen each other",
         [] { std::vector<std::unique_ptr<CShape>> v;
              v.push_back(Make(SHAPE_TEXT, {200, 100}, {260, 130}));
              v.push_back(Make(SHAPE_ARROW, {400, 120}, {180, 110})); return v; },
         {180, 100, 400, 130}},
        {"zero-size click", [] { std::vector<std::unique_ptr<CShape>> v; v.push_back(Make(SHAPE_RECT, {9, 9}, {9, 9})); return v; },
         {9, 9, 9, 9}},
    };
    for (const Case& c : cases) {
        const ShapeList list = c.make();
        RECT b = {-1, -1, -1, -1};
        EXPECT_TRUE(shapes::ShapesBounds(list, &b)) << c.name;
        EXPECT_EQ(Str(b), Str(c.bounds)) << c.name;
    }
    RECT kept = {1, 2, 3, 4};
    EXPECT_FALSE(shapes::ShapesBounds(ShapeList{}, &kept));
    EXPECT_EQ(Str(kept), Str(RECT{1, 2, 3, 4})) << "an empty list leaves the old bounds";
}

}  // namespace
