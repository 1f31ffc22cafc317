// The magnifier's place beside the cursor and the square of the snapshot it enlarges.
#include <gtest/gtest.h>

#include <string>

#include "selection/logic/MagnifierGeometry.h"

namespace {

std::string Str(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

struct PlaceCase {
    const char* name;
    RECT screen;
    POINT cursor;
    RECT expected;
};

// Right/below: (x + 20, y + 20, x + 170, y + 220). Left: x - 170 .. x - 20. Above: y - 220 .. y - 20.
// Flip when x + 150 > screen.right, or y + 200 > screen.bottom.
TEST(MagnifierPlacement, BesideTheCursor) {
    const RECT one = {0, 0, 1920, 1080};
    const PlaceCase cases[] = {
        {"top-left corner", one, {0, 0}, {20, 20, 170, 220}},
        {"middle", one, {100, 100}, {120, 120, 270, 320}},
        {"x + 150 equals right: no flip, overhangs 20", one, {1770, 500}, {1790, 520, 1940, 720}},
        {"x + 150 one past right: flips left", one, {1771, 500}, {1601, 520, 1751, 720}},
        {"y + 200 equals bottom: no flip, overhangs 20", one, {500, 880}, {520, 900, 670, 1100}},
        {"y + 200 one past bottom: flips up", one, {500, 881}, {520, 661, 670, 861}},
        {"bottom-right corner flips both ways", one, {1919, 1079}, {1749, 859, 1899, 1059}},
        // Virtual screen (-1920, -1080, 1920, 1080): the tests use the right and bottom edges only.
        {"negative origin, far corner", {-1920, -1080, 1920, 1080}, {-1900, -1000}, {-1880, -980, -1730, -780}},
        {"negative origin, near right-bottom", {-1920, -1080, 1920, 1080}, {1800, 900}, {1630, 680, 1780, 880}},
        // Right edge at 0: -100 + 150 = 50 > 0 flips, although x is far from the left edge.
        {"screen ending at x = 0", {-1920, 0, 0, 1080}, {-100, 50}, {-270, 70, -120, 270}},
    };
    for (const PlaceCase& c : cases) {
        const RECT got = magnifier::PlaceBesideCursor(c.cursor, c.screen);
        EXPECT_TRUE(rect::Equal(got, c.expected)) << c.name << ": got " << Str(got);
    }
}

// 150-wide window: the source square is 75 pixels and starts 37 before the cursor.
TEST(MagnifierSource, SquareStaysInsideSnapshot) {
    struct Case {
        const char* name;
        POINT pt;    // snapshot coordinates, on a 1920 x 1080 snapshot
        POINT expected;
    } const cases[] = {
        {"origin: cursor pixel at the top-left of the zoom", {0, 0}, {0, 0}},
        {"one short of the margin clamps to 0", {36, 36}, {0, 0}},
        {"first unclamped", {38, 38}, {1, 1}},
        {"middle", {500, 400}, {463, 363}},
        {"10 from right and bottom", {1910, 1070}, {1845, 1005}},
        {"last start that fits", {1882, 1042}, {1845, 1005}},
        // 1883 - 37 = 1846 would read column 1920, one past the snapshot.
        {"one past the last start that fits", {1883, 1043}, {1845, 1005}},
    };
    for (const Case& c : cases) {
        const POINT got = magnifier::SourceOrigin(c.pt, 1920, 1080);
        EXPECT_EQ(got.x, c.expected.x) << c.name;
        EXPECT_EQ(got.y, c.expected.y) << c.name;
    }
    const POINT tiny = magnifier::SourceOrigin({25, 30}, 50, 60);  // snapshot smaller than the square
    EXPECT_EQ(tiny.x, 0);
    EXPECT_EQ(tiny.y, 0);
}

// Over a whole row: the square never leaves the snapshot, always shows the cursor's pixel, and away
// from the edges puts it at offset 37, i.e. zoomed columns 74-75 under the crosshair.
TEST(MagnifierSource, EveryCursorPositionOnARow) {
    const int cx = 400;
    const int side = magnifier::WIDTH / 2;
    for (LONG x = 0; x < cx; ++x) {
        const LONG sx = magnifier::SourceOrigin({x, 0}, cx, 1080).x;
        ASSERT_TRUE(sx >= 0 && sx + side <= cx && sx <= x && x < sx + side) << x;
        if (x >= 37 && x + 38 <= cx) {
            EXPECT_EQ(x - sx, 37) << x;
        }
    }
}

// A monitor left of and above the primary: virtual screen (-1920, -1080) of 3840 x 2160.
TEST(MagnifierSource, NegativeVirtualOrigin) {
    struct Case {
        const char* name;
        POINT cursor;
        POINT snapshot;
        POINT source;
    } const cases[] = {
        {"top-left of the virtual screen", {-1920, -1080}, {0, 0}, {0, 0}},
        {"near the top-left", {-1900, -1000}, {20, 80}, {0, 43}},
        {"primary's origin", {0, 0}, {1920, 1080}, {1883, 1043}},
        {"bottom-right of the virtual screen", {1919, 1079}, {3839, 2159}, {3765, 2085}},
    };
    for (const Case& c : cases) {
        const POINT p = magnifier::SnapshotPoint(c.cursor, -1920, -1080);
        const POINT s = magnifier::SourceOrigin(p, 3840, 2160);
        EXPECT_TRUE(p.x == c.snapshot.x && p.y == c.snapshot.y) << c.name << ": " << p.x << "," << p.y;
        EXPECT_TRUE(s.x == c.source.x && s.y == c.source.y) << c.name << ": " << s.x << "," << s.y;
    }
}

}  // namespace
