// The pixel pass of the dimming, and where a step of the view can change it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "capture/logic/Dimming.h"
#include "capture/logic/ViewRules.h"

namespace {

TEST(Dimming, TheFastPassGivesTheTablesPixelsForEveryByteAndLength) {
    // Every value in every byte position, with lengths and offsets that leave partial blocks.
    std::vector<uint32_t> src(256 * 4 + 7);
    for (size_t i = 0; i < src.size(); ++i) {
        const uint32_t v = static_cast<uint32_t>(i % 256);
        src[i] = v << (8 * ((i / 256) % 4)) | static_cast<uint32_t>((i * 37) & 0xFF) << (8 * ((i / 256 + 1) % 4));
    }
    for (int alpha : {0, 1, 100, 254, 255}) {
        const dimming::DimTable table = dimming::RoundedTable(alpha);
        for (size_t offset : {0, 1, 3}) {
            for (size_t n : {size_t{0}, size_t{1}, size_t{3}, size_t{4}, size_t{5}, src.size() - offset}) {
                std::vector<uint32_t> fast(n, 0xDEADBEEF), looked(n, 0xDEADBEEF);
                dimming::DimPixelsRounded(src.data() + offset, fast.data(), n, alpha);
                dimming::DimPixels(src.data() + offset, looked.data(), n, table);
                ASSERT_EQ(fast, looked) << "alpha " << alpha << ", offset " << offset << ", " << n << " pixels";
            }
        }
    }
}

TEST(Dimming, ATableOffByOneLevelIsNotTakenForRounding) {
    dimming::DimTable table = dimming::RoundedTable(100);
    EXPECT_TRUE(dimming::IsRounded(table, 100));
    EXPECT_EQ(table.level[2][255], 155);
    EXPECT_EQ(table.level[0][1], 1);  // 155/255 rounds up
    table.level[3][200] += 1;
    EXPECT_FALSE(dimming::IsRounded(table, 100));
}

// Every pixel of a small surface whose dimming changes, or that lies within reach of an edge of either
// rectangle, must be inside the changed area; and the area stays inside the surface.
TEST(ChangedArea, CoversEveryPixelThatCanChange) {
    const int cx = 60, cy = 40, reach = 3;
    struct Case { const char* name; RECT from, to; } cases[] = {
        {"moved a little", {10, 10, 30, 25}, {12, 11, 32, 26}},
        {"grown", {10, 10, 30, 25}, {10, 10, 45, 35}},
        {"shrunk", {5, 5, 55, 35}, {20, 15, 30, 20}},
        {"apart", {2, 2, 12, 12}, {40, 25, 55, 38}},
        {"inside out", {30, 25, 10, 10}, {10, 10, 30, 25}},
        {"beyond the surface", {-10, -5, 20, 20}, {40, 30, 80, 60}},
        {"the whole surface", {0, 0, cx, cy}, {10, 10, 20, 20}},
    };
    auto inside = [](const RECT& r, int x, int y) {
        return x >= std::min(r.left, r.right) && x < std::max(r.left, r.right) && y >= std::min(r.top, r.bottom) &&
               y < std::max(r.top, r.bottom);
    };
    auto nearEdge = [&](const RECT& r, int x, int y) {
        const LONG l = std::min(r.left, r.right), rr = std::max(r.left, r.right);
        const LONG t = std::min(r.top, r.bottom), b = std::max(r.top, r.bottom);
        const bool inReach = x >= l - reach && x < rr + reach && y >= t - reach && y < b + reach;
        const bool deepInside = x >= l + reach && x < rr - reach && y >= t + reach && y < b - reach;
        return inReach && !deepInside;
    };
    for (const Case& c : cases) {
        std::vector<RECT> area;
        ASSERT_TRUE(ChangedArea(c.from, c.to, reach, cx, cy, &area)) << c.name;
        for (const RECT& r : area) {
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= cx && r.bottom <= cy) << c.name;
            EXPECT_TRUE(r.left < r.right && r.top < r.bottom) << c.name;
        }
        for (int y = 0; y < cy; ++y) {
            for (int x = 0; x < cx; ++x) {
                const bool mayChange =
                    inside(c.from, x, y) != inside(c.to, x, y) || nearEdge(c.from, x, y) || nearEdge(c.to, x, y);
                if (!mayChange) continue;
                const bool covered = std::any_of(area.begin(), area.end(), [&](const RECT& r) {
                    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                });
                ASSERT_TRUE(covered) << c.name << ": " << x << "," << y;
            }
        }
    }
}

TEST(ChangedArea, NothingForTheSameRectangleAndNoBoundForAFlatOne) {
    std::vector<RECT> area = {RECT{1, 1, 2, 2}};
    EXPECT_TRUE(ChangedArea(RECT{5, 5, 20, 20}, RECT{5, 5, 20, 20}, 3, 60, 40, &area));
    EXPECT_TRUE(area.empty());
    // A rectangle with no width or height leaves the whole surface undimmed.
    EXPECT_FALSE(ChangedArea(RECT{5, 5, 20, 20}, RECT{5, 5, 5, 20}, 3, 60, 40, &area));
    EXPECT_FALSE(ChangedArea(RECT{0, 0, 0, 0}, RECT{5, 5, 20, 20}, 3, 60, 40, &area));
}

}  // namespace
