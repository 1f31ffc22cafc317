// Which parts of the view are dimmed around a selection, and the small input rules of the capture.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "capture/logic/ViewRules.h"

namespace {

std::string Describe(const std::vector<RECT>& bands) {
    std::string s;
    for (const RECT& r : bands) {
        s += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
             std::to_string(r.bottom) + ")";
    }
    return s;
}

TEST(DimBands, BandsExistOnlyWhereTheSurfaceReachesBeyondTheSelection) {
    const int cx = 1920, cy = 1080;
    struct Case { const char* name; RECT sel; std::string bands; } cases[] = {
        {"inside", {100, 50, 300, 250}, "(0,0,1920,50)(0,250,1920,1080)(0,50,100,250)(300,50,1920,250)"},
        {"touching left", {0, 50, 300, 250}, "(0,0,1920,50)(0,250,1920,1080)(300,50,1920,250)"},
        {"touching top", {100, 0, 300, 250}, "(0,250,1920,1080)(0,0,100,250)(300,0,1920,250)"},
        {"touching right", {100, 50, 1920, 250}, "(0,0,1920,50)(0,250,1920,1080)(0,50,100,250)"},
        {"touching bottom", {100, 50, 300, 1080}, "(0,0,1920,50)(0,50,100,1080)(300,50,1920,1080)"},
        {"top-left corner", {0, 0, 300, 250}, "(0,250,1920,1080)(300,0,1920,250)"},
        {"whole surface", {0, 0, 1920, 1080}, ""},
        {"one pixel", {5, 5, 6, 6}, "(0,0,1920,5)(0,6,1920,1080)(0,5,5,6)(6,5,1920,6)"},
        {"reversed corners are normalised", {300, 250, 100, 50},
         "(0,0,1920,50)(0,250,1920,1080)(0,50,100,250)(300,50,1920,250)"},
        {"zero width dims nothing", {200, 50, 200, 250}, ""},
        {"zero height dims nothing", {100, 70, 300, 70}, ""},
        {"no selection dims nothing", {0, 0, 0, 0}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Describe(DimBands(c.sel, cx, cy)), c.bands) << c.name;
    }
}

TEST(DimBands, BandsAndTheClearAreaTileTheSurfaceWithoutEmptyBands) {
    const int cx = 40, cy = 30;
    const RECT sels[] = {{0, 0, 40, 30}, {0, 0, 1, 1}, {39, 29, 40, 30}, {10, 5, 20, 25}, {0, 10, 40, 20},
                         {15, 0, 16, 30}, {20, 25, 10, 5}, {10, 5, 10, 25}, {0, 0, 0, 0}};
    for (const RECT& sel : sels) {
        std::vector<int> cover(cx * cy, 0);
        const RECT clear = ClearArea(sel, cx, cy);
        for (int y = clear.top; y < clear.bottom; ++y)
            for (int x = clear.left; x < clear.right; ++x) cover[y * cx + x] += 100;
        for (const RECT& b : DimBands(sel, cx, cy)) {
            ASSERT_GT(b.right - b.left, 0);
            ASSERT_GT(b.bottom - b.top, 0);
            for (int y = b.top; y < b.bottom; ++y)
                for (int x = b.left; x < b.right; ++x) ++cover[y * cx + x];
        }
        for (int y = 0; y < cy; ++y) {
            for (int x = 0; x < cx; ++x) {
                const RECT norm = {std::min(sel.left, sel.right), std::min(sel.top, sel.bottom),
                                   std::max(sel.left, sel.right), std::max(sel.top, sel.bottom)};
                const bool degenerate = sel.left == sel.right || sel.top == sel.bottom;
                const bool inside = degenerate || rect::Contains(norm, POINT{x, y});
                ASSERT_EQ(cover[y * cx + x], inside ? 100 : 1) << Describe({sel}) << " at " << x << "," << y;
            }
        }
    }
}

TEST(InputRules, LeftDragCaretKeysAndForegroundTicks) {
    EXPECT_TRUE(IsLeftDrag(MK_LBUTTON));
    EXPECT_FALSE(IsLeftDrag(MK_LBUTTON | MK_CONTROL));
    EXPECT_FALSE(IsLeftDrag(MK_LBUTTON | MK_SHIFT));
    EXPECT_FALSE(IsLeftDrag(MK_LBUTTON | MK_RBUTTON));
    EXPECT_FALSE(IsLeftDrag(0));

    for (WPARAM vk : {WPARAM{VK_END}, WPARAM{VK_HOME}, WPARAM{VK_LEFT}, WPARAM{VK_UP}, WPARAM{VK_RIGHT}, WPARAM{VK_DOWN}}) EXPECT_TRUE(IsCaretKey(vk)) << vk;
    for (WPARAM vk : {WPARAM{0x22}, WPARAM{0x29}, WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}, WPARAM{'S'}}) EXPECT_FALSE(IsCaretKey(vk)) << vk;

    int forced = 0;
    for (int ticks = 0; ticks < 20; ++ticks) forced += ForegroundTickForces(ticks);
    EXPECT_EQ(forced, 6);
    EXPECT_FALSE(ForegroundTickForces(6));

    const POINT at = IconPosition(101, 50, 32, 32);
    EXPECT_EQ(at.x, 35);  // (101 - 32 + 1) / 2
    EXPECT_EQ(at.y, 9);   // (50 - 32 + 1) / 2
}

}  // namespace
