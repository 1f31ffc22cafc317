// Seeded properties of the plain logic: generated inputs (empty and one-pixel rectangles, flipped drags,
// negative desktop coordinates, the ends of a 7680 x 2160 virtual screen) checked against the rules the
// headers state. CORVANE_PROPERTY_CASES sets the cases per property, CORVANE_PROPERTY_SEED the base seed;
// a property stops at its first failing case and names its seed and case, so the same run replays it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "annotation/logic/Drawing.h"
#include "annotation/logic/Shape.h"
#include "capture/logic/Dimming.h"
#include "capture/logic/ViewRules.h"
#include "output/logic/ImageFormat.h"
#include "output/logic/ResultGeometry.h"
#include "palette/logic/Palette.h"
#include "selection/logic/SelectionGeometry.h"
#include "selection/logic/WindowFinder.h"
#include "tests/unit/PngChecks.h"
#include "tools/logic/PointerPng.h"

using namespace selection;

namespace {

unsigned long EnvNumber(const char* name, unsigned long fallback) {
    const char* text = std::getenv(name);
    char* end = nullptr;
    const unsigned long n = text ? std::strtoul(text, &end, 0) : 0;
    return text && *text && *end == '\0' ? n : fallback;
}
int Cases() { return static_cast<int>(EnvNumber("CORVANE_PROPERTY_CASES", 5000)); }
uint32_t BaseSeed() { return static_cast<uint32_t>(EnvNumber("CORVANE_PROPERTY_SEED", 20240611)); }

std::string Str(POINT p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }
std::string Str(const RECT& r) { return Str(POINT{r.left, r.top}) + "-" + Str(POINT{r.right, r.bottom}); }
RECT Norm(const RECT& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right), std::max(r.top, r.bottom)};
}
bool Within(const RECT& in, const RECT& out) {
    return in.left >= out.left && in.top >= out.top && in.right <= out.right && in.bottom <= out.bottom;
}

// One property's inputs, from its own engine seeded with the base seed and the property's name, so that
// a new property shifts no other property's cases.
struct Gen {
    explicit Gen(const char* property) : name(property), seed(BaseSeed()) {
        for (const char* c = name; *c; ++c) seed = (seed ^ static_cast<uint8_t>(*c)) * 16777619u;
        rng.seed(seed);
    }
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool OneIn(int n) { return Int(1, n) == 1; }
    uint32_t Bits() { return static_cast<uint32_t>(rng()); }
    // A coordinate in [lo, hi], often at or next to an end, where the rules change.
    LONG Coord(LONG lo, LONG hi) {
        const int end = Int(0, 5), by = Int(0, 2);
        return end == 0 ? std::min<LONG>(hi, lo + by) : end == 1 ? std::max<LONG>(lo, hi - by) : Int(lo, hi);
    }
    POINT Point(const RECT& area) { return {Coord(area.left, area.right), Coord(area.top, area.bottom)}; }
    // The corners of a drag within area (edges included), in either order: a click, a one-pixel or a flat
    // rectangle, the whole area, or any two points.
    RECT Drag(const RECT& area) {
        POINT a = Point(area), b = Point(area);
        const int kind = Int(0, 7);
        if (kind == 0) b = a;
        if (kind == 1) a = {std::min(a.x, area.right - 1), std::min(a.y, area.bottom - 1)}, b = {a.x + 1, a.y + 1};
        if (kind == 2) b.x = a.x;
        if (kind == 3) a = {area.left, area.top}, b = {area.right, area.bottom};
        if (OneIn(2)) std::swap(a, b);
        return {a.x, a.y, b.x, b.y};
    }
    // A view: the common screens, the large virtual screen, or any size.
    SIZE View() {
        static const SIZE kViews[] = {{1920, 1080}, {7680, 2160}, {3840, 2160}, {1024, 768}, {2304, 800}};
        return OneIn(2) ? kViews[Int(0, 4)] : SIZE{Int(8, 7680), Int(8, 2160)};
    }
    friend std::ostream& operator<<(std::ostream& os, const Gen& g) {
        return os << "[" << g.name << ", seed " << g.seed << " (CORVANE_PROPERTY_SEED=" << BaseSeed() << "), case "
                  << g.index << "] ";
    }
    const char* name;
    uint32_t seed;
    std::mt19937 rng;
    int index = 0;
};

// Runs check once per case until the first case that fails, so one fault gives one report.
template <class Check>
void ForAll(const char* name, Check check) {
    Gen g(name);
    const testing::TestResult* result = testing::UnitTest::GetInstance()->current_test_info()->result();
    const int before = result->total_part_count();
    for (const int n = Cases(); g.index < n && result->total_part_count() == before; ++g.index) check(g);
}

}  // namespace

TEST(PropertySelection, StepsHitsAndClamps) {
    ForAll("RectFromPoints and HandleRect", [](Gen& g) {
        const RECT desk = {-7680, -2160, 7680, 2160};
        const POINT a = g.Point(desk), b = g.OneIn(5) ? a : g.Point(desk);
        const RECT r = RectFromPoints(a, b), h = HandleRect(a.x, a.y), want = Norm({a.x, a.y, b.x, b.y});
        EXPECT_TRUE(rect::Equal(r, want) && rect::Equal(RectFromPoints(b, a), r) &&
                    rect::Equal(RectFromPoints({r.left, r.top}, {r.right, r.bottom}), r))
            << g << Str(a) << " " << Str(b) << " gave " << Str(r);
        for (int d = -3; d <= 2; ++d) {  // the square covers x-2 .. x+1 and y-2 .. y+1
            EXPECT_TRUE(rect::Contains(h, {a.x + d, a.y}) == (d >= -2 && d <= 1) &&
                        rect::Contains(h, {a.x, a.y + d}) == (d >= -2 && d <= 1)) << g << Str(h) << " " << d;
        }
    });
    ForAll("HitTest", [](Gen& g) {
        const SIZE v = g.View();
        const RECT sel = Norm(g.Drag({-v.cx, 0, v.cx, v.cy}));
        const POINT c = HandlePoints(sel)[g.Int(0, 7)];
        const POINT pt = g.OneIn(2) ? POINT{c.x + g.Int(-4, 4), c.y + g.Int(-4, 4)}
                                    : g.Point({sel.left - 6, sel.top - 6, sel.right + 6, sel.bottom + 6});
        const HitResult hit = HitTest(sel, pt);
        const int k = hit.hit;
        const POINT a = hit.anchor, h = HandlePointForHit(sel, k);
        // The anchor, for the handle codes only, is a corner on the far side of every edge the handle moves:
        // the Left, Right, Top or Bottom one, or either ('-') along an edge handle.
        static const char* const kFar[8] = {"RB", "LB", "LT", "RT", "-B", "L-", "-T", "R-"};
        auto on = [](char side, LONG got, LONG lo, LONG hi) {
            return side == '-' ? got == lo || got == hi : got == (side == 'L' || side == 'T' ? lo : hi);
        };
        const bool anchored =
            !hit.hasAnchor || (on(kFar[k][0], a.x, sel.left, sel.right) && on(kFar[k][1], a.y, sel.top, sel.bottom));
        EXPECT_TRUE(hit.hasAnchor == (k >= 0 && k <= 7) && anchored)
            << g << Str(sel) << " at " << Str(pt) << " hit " << k << " anchor " << Str(a);
        if (rect::Contains(sel, pt)) {
            // Inside: the bands within 3 pixels of an edge, left before right and top before bottom.
            static const int kCode[3][3] = {{HIT_BODY, HIT_TOP, HIT_BOTTOM},
                                            {HIT_LEFT, HIT_TOPLEFT, HIT_BOTTOMLEFT},
                                            {HIT_RIGHT, HIT_TOPRIGHT, HIT_BOTTOMRIGHT}};
            const int across = pt.x - sel.left <= 3 ? 1 : sel.right - pt.x <= 3 ? 2 : 0;
            const int down = pt.y - sel.top <= 3 ? 1 : sel.bottom - pt.y <= 3 ? 2 : 0;
            EXPECT_EQ(k, kCode[across][down]) << g << Str(sel) << " at " << Str(pt);
        } else {
            // Outside: only the handle squares count, and the one reported holds the point.
            bool inSquare = false;
            for (POINT p : HandlePoints(sel)) inSquare |= rect::Contains(HandleRect(p.x, p.y), pt);
            EXPECT_TRUE((k != HIT_NONE) == inSquare && (k == HIT_NONE || rect::Contains(HandleRect(h.x, h.y), pt)))
                << g << Str(sel) << " at " << Str(pt) << " hit " << k;
        }
    });
    ForAll("MoveResizeSelection", [](Gen& g) {
        const SIZE v = g.View();
        const RECT view = {2, 2, v.cx, v.cy};  // where moves and resizes keep the selection
        TrackStep s;
        s.cxView = v.cx, s.cyView = v.cy;
        const RECT sel = s.rcSelection = Norm(g.Drag(view));
        const bool body = g.OneIn(3);
        s.hit = body ? HIT_BODY : g.Int(0, 7);
        AnchorForHit(sel, s.hit, &s.ptAnchor);
        const POINT grab = body ? g.Point(sel) : HandlePointForHit(sel, s.hit);
        s.ptTrackStart = {grab.x + g.Int(-2, 2), grab.y + g.Int(-2, 2)};
        s.pt = g.OneIn(8)   ? s.ptTrackStart
               : g.OneIn(2) ? POINT{s.ptTrackStart.x + g.Int(-30, 30), s.ptTrackStart.y + g.Int(-30, 30)}
                            : g.Point({-100, -100, v.cx + 100, v.cy + 100});
        s.hasShapes = !body && g.OneIn(3);
        if (s.hasShapes) s.rcShapesBounds = Norm(g.Drag(sel));
        const RECT r = MoveResizeSelection(s), b = s.rcShapesBounds;
        const std::string in = Str(sel) + " hit " + std::to_string(s.hit) + " from " + Str(s.ptTrackStart) + " to " +
                               Str(s.pt) + " on " + Str(POINT{v.cx, v.cy}) + " gave " + Str(r);
        if (rect::SamePoint(s.pt, s.ptTrackStart)) {
            TrackStep any = s;  // a click changes nothing, whatever it grabbed and whichever tool is chosen
            any.hit = g.Int(-1, 8), any.toolChosen = g.OneIn(2);
            EXPECT_TRUE(rect::Equal(r, sel) && rect::Equal(MoveResizeSelection(any), sel)) << g << in;
            return;
        }
        EXPECT_TRUE(r.left <= r.right && r.top <= r.bottom && Within(r, view)) << g << in;
        if (body) {
            // A move keeps the size and goes the mouse's way, no further, and all the way when it can.
            const LONG dx = s.pt.x - s.ptTrackStart.x, dy = s.pt.y - s.ptTrackStart.y;
            const LONG mx = r.left - sel.left, my = r.top - sel.top;
            const RECT free = {sel.left + dx, sel.top + dy, sel.right + dx, sel.bottom + dy};
            EXPECT_TRUE(rect::Width(r) == rect::Width(sel) && rect::Height(r) == rect::Height(sel) &&
                        int64_t{mx} * dx >= 0 && std::abs(mx) <= std::abs(dx) && int64_t{my} * dy >= 0 &&
                        std::abs(my) <= std::abs(dy) && (!Within(free, view) || rect::Equal(r, free))) << g << in;
            return;
        }
        TrackStep again = s;  // the same step once more, from where it left the selection, changes nothing
        again.rcSelection = r;
        EXPECT_TRUE(rect::Equal(MoveResizeSelection(again), r)) << g << in;
        if (s.hasShapes) {
            // The shapes keep their margin (3 left and top, 4 right and bottom) as far as the view allows;
            // a resize that keeps it anyway is not touched.
            auto keeps = [&b, &view](const RECT& q) {
                return q.left <= std::max(b.left - 3, view.left) && q.top <= std::max(b.top - 3, view.top) &&
                       q.right >= std::min(b.right + 4, view.right) && q.bottom >= std::min(b.bottom + 4, view.bottom);
            };
            TrackStep bare = s;
            bare.hasShapes = false;
            const RECT free = MoveResizeSelection(bare);
            EXPECT_TRUE(keeps(r) && (!keeps(free) || rect::Equal(r, free))) << g << in << " with shapes " << Str(b);
            return;
        }
        // From the anchor to the clamped point; an edge handle leaves the two other edges where they were.
        const POINT c = {std::min(std::max<LONG>(s.pt.x, 2), v.cx), std::min(std::max<LONG>(s.pt.y, 2), v.cy)};
        const bool movesX = s.hit != HIT_TOP && s.hit != HIT_BOTTOM, movesY = s.hit != HIT_LEFT && s.hit != HIT_RIGHT;
        const POINT a = s.ptAnchor;
        const RECT want = {movesX ? std::min(a.x, c.x) : sel.left, movesY ? std::min(a.y, c.y) : sel.top,
                           movesX ? std::max(a.x, c.x) : sel.right, movesY ? std::max(a.y, c.y) : sel.bottom};
        EXPECT_TRUE(rect::Equal(r, want)) << g << in << ", want " << Str(want);
    });
}

namespace {

// A desktop made up per case: windows topmost first, the children of each window, the virtual screen.
struct Desktop : IWindowSource {
    RECT screen = {0, 0, 0, 0};
    std::vector<WindowRecord> top;
    std::map<HWND, std::vector<WindowRecord>> kids;
    std::vector<WindowRecord> TopLevelWindows() const override { return top; }
    std::vector<WindowRecord> ChildWindows(HWND h) const override { return kids.at(h); }
    RECT VirtualScreen() const override { return screen; }
};

// Windows near `around`, some hidden, slivers or of the filtered kinds; never wider or taller than the
// screen, so the finder offers every window the filters keep.
void AddWindows(Gen& g, Desktop& d, std::vector<WindowRecord>& list, const RECT& around, int depth, uintptr_t& id) {
    const LONG cx = rect::Width(d.screen), cy = rect::Height(d.screen);
    for (int n = g.Int(0, depth == 2 ? 7 : 3); n > 0; --n) {
        const int w = g.OneIn(6) ? g.Int(1, 7) : g.Int(1, std::min<LONG>(cx, rect::Width(around) + 40));
        const int h = g.OneIn(6) ? g.Int(1, 7) : g.Int(1, std::min<LONG>(cy, rect::Height(around) + 40));
        const POINT at = g.Point({around.left - 20, around.top - 20, around.right - 1, around.bottom - 1});
        const wchar_t* cls = g.OneIn(12)   ? L"ApplicationFrameWindow"
                             : g.OneIn(12) ? L"Windows.UI.Core.CoreWindow"
                                           : L"W";
        list.push_back({reinterpret_cast<HWND>(id++), cls, g.OneIn(3) ? L"\u8BBE\u7F6E" : L"x",
                        RECT{at.x, at.y, at.x + w, at.y + h}, !g.OneIn(8), g.OneIn(10) ? DWORD(WS_EX_NOACTIVATE) : 0});
        std::vector<WindowRecord> children;
        if (depth > 0) AddWindows(g, d, children, list.back().rcWindow, depth - 1, id);
        d.kids[list.back().hWnd] = children;
    }
}

// The window under a desktop point as the walk is described: the first kept top-level window holding it,
// then at every level the first kept child holding it; the whole screen where no window is.
RECT InnermostAt(const Desktop& d, POINT pt, int cxPrimary, int cyPrimary) {
    const std::vector<WindowRecord>* list = &d.top;
    const WindowRecord* found = nullptr;
    for (bool deeper = true; deeper;) {
        deeper = false;
        for (const WindowRecord& w : *list) {
            const bool skip = list == &d.top ? windowfilter::SkipTopLevel(w, cxPrimary, cyPrimary)
                                             : windowfilter::SkipChild(w, cxPrimary, cyPrimary);
            if (!w.bVisible || skip || !rect::Contains(w.rcWindow, pt)) continue;
            found = &w, list = &d.kids.at(w.hWnd), deeper = true;
            break;
        }
    }
    return found ? found->rcWindow : d.screen;
}

}  // namespace

TEST(PropertyWindowFinder, InnermostWindowUnderThePoint) {
    ForAll("FindWindowRectAt", [](Gen& g) {
        // Monitors left of and above the primary put the virtual screen's origin at negative coordinates.
        static const RECT kScreens[] = {{0, 0, 1920, 1080},    {-1024, 0, 1280, 800},  {-1920, 0, 1920, 1080},
                                        {0, -1080, 1920, 1080}, {-2560, 0, 1920, 1200}, {0, 0, 7680, 2160},
                                        {-3840, -1080, 3840, 1080}};
        Desktop d;
        d.screen = kScreens[g.Int(0, 6)];
        const int cxPrimary = d.screen.right, cyPrimary = d.screen.bottom;
        uintptr_t id = 1;
        AddWindows(g, d, d.top, d.screen, 2, id);
        CWindowFinder f(cxPrimary, cyPrimary);  // the walk filters with the primary's size
        f.CollectWindows(d);
        f.m_cxScreen = rect::Width(d.screen), f.m_cyScreen = rect::Height(d.screen), f.m_rcScreen = d.screen;
        const LONG cx = f.m_cxScreen, cy = f.m_cyScreen;
        const RECT view = {0, 0, cx, cy}, kUntouched = {-7, -7, -7, -7};
        for (int k = 0; k < 8; ++k) {
            POINT pt = g.Point({0, 0, cx - 1, cy - 1});
            const bool acrossX = g.OneIn(2);
            if (k == 0) (acrossX ? pt.x : pt.y) = g.OneIn(2) ? -1 - g.Int(0, 500) : (acrossX ? cx : cy) + g.Int(0, 500);
            RECT out = kUntouched;
            const bool found = f.FindWindowRectAt(pt, &out);
            if (k == 0) {
                EXPECT_TRUE(!found && rect::Equal(out, kUntouched)) << g << "off the view at " << Str(pt);
                continue;
            }
            ASSERT_TRUE(found) << g << "the desktop lies under every point of the view: " << Str(pt);
            const RECT desk = InnermostAt(d, {pt.x + d.screen.left, pt.y + d.screen.top}, cxPrimary, cyPrimary);
            const RECT w = {desk.left - d.screen.left, desk.top - d.screen.top, desk.right - d.screen.left,
                            desk.bottom - d.screen.top};
            const RECT in = rect::Intersection(w, view);
            // The innermost window's part of the view, each edge at most one pixel further in so the outline
            // stays visible; exact for a window clear of the view's border; holding the point off the border.
            EXPECT_TRUE(Within(out, in) && Within({in.left + 1, in.top + 1, in.right - 1, in.bottom - 1}, out) &&
                        (!Within(w, {1, 1, cx - 1, cy - 1}) || rect::Equal(out, w)) &&
                        (pt.x < 1 || pt.x >= cx - 1 || pt.y >= cy - 1 || rect::Contains(out, pt)))
                << g << "at " << Str(pt) << " got " << Str(out) << ", innermost window " << Str(w);
        }
    });
}

TEST(PropertyPalette, BarsBesideTheSelection) {
    ForAll("PlaceBars", [](Gen& g) {
        const SIZE v = g.View();
        const RECT sel = Norm(g.Drag({0, 0, v.cx, v.cy}));
        const int hb = g.Int(30, 80), ho = g.Int(30, 80);
        const palette::BarPlacement shown = palette::PlaceBars(sel, hb, ho, v.cy, true);
        const palette::BarPlacement dragging = palette::PlaceBars(sel, hb, ho, v.cy, false);
        const RECT &m = shown.mainBar, &o = shown.optionBar;
        const std::string in = Str(sel) + " view height " + std::to_string(v.cy) + " bars " + Str(m) + " " + Str(o);
        // Both bars at their sizes, the option bar under the main bar; right-aligned with the selection
        // unless that pushes the bar off the view's left side.
        EXPECT_TRUE(!shown.hide && rect::Width(m) == palette::kMainBarWidth && rect::Height(m) == hb &&
                    rect::Width(o) == palette::kOptionBarWidth && rect::Height(o) == ho && o.left == m.left &&
                    o.top > m.bottom && m.left >= 0 &&
                    (sel.right >= palette::kMainBarWidth ? m.right == sel.right : m.left == sel.left)) << g << in;
        // Below while it stays 20 pixels clear of the view's bottom; else above, or inside along the top.
        const bool below = sel.bottom + 5 + hb < v.cy - 20;
        EXPECT_TRUE(below ? m.top == sel.bottom + 5 : (m.bottom == sel.top - 5 || m.top == sel.top + 5)) << g << in;
        for (int tool : {TOOL_NONE, TOOL_ARROW, TOOL_RECT, TOOL_ELLIPSE, TOOL_PEN, TOOL_TEXT}) {
            const RECT p = palette::IndicatorRect(m, o, tool);
            EXPECT_TRUE(rect::Width(p) == 20 && rect::Height(p) == 10 && p.bottom == o.top && p.left >= m.left &&
                        p.right <= m.right) << g << in << " pointer " << Str(p);
        }
        // A drag only hides the bars, exactly when their corner falls inside the selection.
        EXPECT_TRUE(dragging.hide == rect::Contains(sel, {m.left, m.top}) &&
                    (dragging.hide || (rect::Equal(dragging.mainBar, m) && rect::Equal(dragging.optionBar, o))))
            << g << in;
    });
}

TEST(PropertyDrawing, TextBoxFitAndGrowth) {
    ForAll("FitTextBox and GrowToText", [](Gen& g) {
        const SIZE v = g.View();
        RECT sel = Norm(g.Drag({0, 0, v.cx, v.cy}));
        sel.right = std::max(sel.right, sel.left + 1), sel.bottom = std::max(sel.bottom, sel.top + 1);
        const POINT at = g.Point({sel.left, sel.top, sel.right - 1, sel.bottom - 1});
        const RECT box = {at.x, at.y, at.x + g.Int(0, 100), at.y + g.Int(0, 60)};
        const int w = g.OneIn(3) ? g.Int(0, 60) : g.Int(0, 3 * v.cx), wider = w + g.Int(0, 500);
        const RECT a = drawing::FitTextBox(box, w, sel), b = drawing::FitTextBox(box, wider, sel);
        const std::string in = Str(box) + " width " + std::to_string(w) + " in " + Str(sel) + " gave " + Str(a);
        // Same top-left corner, never inverted, inside the selection, and a refit changes nothing; a wider text
        // never gets a narrower or shorter box, short of the stop above the selection's bottom.
        EXPECT_TRUE(a.left == at.x && a.top == at.y && a.right > a.left && a.bottom > a.top && Within(a, sel) &&
                    rect::Equal(drawing::FitTextBox(a, w, sel), a) && b.right >= a.right &&
                    b.bottom >= std::min<LONG>(a.bottom, sel.bottom - 2)) << g << in << "; " << wider << ": " << Str(b);
        const int room = sel.right - 3 - at.x, height = a.bottom - a.top, lines = room > 0 ? (w + room - 1) / room : 0;
        const bool stopped = a.bottom == std::max<LONG>(sel.bottom - 2, at.y + 1);
        // A line that fits gets 30 pixels of room and 40 of height; a longer text the room to the selection's
        // right edge less 3, and 20 pixels a line with one line to spare.
        EXPECT_TRUE(w + 30 > room || (rect::Width(a) == w + 30 && (height == 40 || stopped))) << g << in;
        EXPECT_TRUE(w + 30 <= room || room <= 0 ||
                    (a.right == sel.right - 3 && ((height % 20 == 0 && height >= 20 * (lines + 1)) || stopped)))
            << g << in;
        const int need = g.Int(0, 3 * v.cy);
        const RECT grown = drawing::GrowToText(a, need, sel);
        EXPECT_TRUE(grown.left == a.left && grown.top == a.top && grown.right == a.right && grown.bottom >= a.bottom &&
                    grown.bottom >= std::min<LONG>(a.top + need, sel.bottom - 2) &&
                    grown.bottom <= std::max<LONG>(a.bottom, a.top + need) && grown.bottom <= sel.bottom &&
                    rect::Equal(drawing::GrowToText(grown, need, sel), grown))
            << g << in << " grown for " << need << " to " << Str(grown);
    });
}

TEST(PropertyDrawing, ArrowPolygon) {
    ForAll("ArrowPolygon", [](Gen& g) {
        const RECT desk = {-7680, -2160, 7680, 2160};
        const POINT a = g.Point(desk);
        const POINT b = g.OneIn(10) ? a : g.OneIn(2) ? POINT{a.x + g.Int(-3, 3), a.y + g.Int(-3, 3)} : g.Point(desk);
        const int size = g.OneIn(2) ? 1 << g.Int(0, 2) : g.Int(1, 10);
        const auto p = drawing::ArrowPolygon(a, b, size);
        const std::string in = Str(a) + " to " + Str(b) + " size " + std::to_string(size);
        for (const drawing::PointF& q : p) ASSERT_TRUE(std::isfinite(q.x) && std::isfinite(q.y)) << g << in;
        auto dist = [](drawing::PointF q, double x, double y) { return std::hypot(q.x - x, q.y - y); };
        const double len = 5 * size + 10, tol = 0.01;
        // The tip is the end point; the tail is one pixel wide; barbs and inner corners at their lengths.
        EXPECT_TRUE(p[3].x == static_cast<float>(b.x) && p[3].y == static_cast<float>(b.y)) << g << in;
        for (double d : {dist(p[0], a.x, a.y) - 0.5, dist(p[6], a.x, a.y) - 0.5, dist(p[0], p[6].x, p[6].y) - 1,
                         dist(p[2], b.x, b.y) - len, dist(p[4], b.x, b.y) - len, dist(p[1], b.x, b.y) - (len - 4),
                         dist(p[5], b.x, b.y) - (len - 4)})
            EXPECT_NEAR(d, 0, tol) << g << in;
        if (rect::SamePoint(a, b)) return;
        const double n = std::hypot(b.x - a.x, b.y - a.y), ux = (b.x - a.x) / n, uy = (b.y - a.y) / n;
        auto along = [&](drawing::PointF q) { return (q.x - b.x) * ux + (q.y - b.y) * uy; };
        auto side = [&](drawing::PointF q) { return (q.y - b.y) * ux - (q.x - b.x) * uy; };
        // Barbs and inner corners lie behind the tip in mirrored pairs, the barbs further out; the tail is
        // square to the shaft.
        EXPECT_TRUE(along(p[1]) < -1 && along(p[2]) < -1 && along(p[4]) < -1 && along(p[5]) < -1 &&
                    std::fabs(side(p[2]) + side(p[4])) < tol && std::fabs(side(p[1]) + side(p[5])) < tol &&
                    std::fabs(side(p[2])) > std::fabs(side(p[1])) + 1 &&
                    std::fabs((p[0].x - a.x) * ux + (p[0].y - a.y) * uy) < tol) << g << in;
    });
}

TEST(PropertyOutput, ResultCrop) {
    ForAll("ResultCropRect", [](Gen& g) {
        const SIZE v = g.View();
        const RECT sel = Norm(g.Drag({0, 0, v.cx, v.cy})), crop = output::ResultCropRect(sel);
        const SIZE size = output::ResultSize(sel);
        const bool empty = output::ResultIsEmpty(sel);
        EXPECT_TRUE(empty == (rect::Width(sel) <= 5 || rect::Height(sel) <= 5) && size.cx == rect::Width(crop) &&
                    size.cy == rect::Height(crop) && (empty || (Within(crop, sel) && !rect::IsEmpty(crop))))
            << g << Str(sel) << " crop " << Str(crop);
    });
    // A capture as a user drives it: a dragged selection, moves and handle drags, rectangle and arrow marks
    // pressed in the body and released anywhere on the screen, in any order. The crop never leaves the image.
    ForAll("Crop within the frozen image", [](Gen& g) {
        const SIZE v = g.View();
        const RECT mouse = {0, 0, v.cx - 1, v.cy - 1};
        RECT sel = Norm(g.Drag(mouse));
        ShapeList marks;
        std::string story = "view " + std::to_string(v.cx) + "x" + std::to_string(v.cy) + ", drag " + Str(sel);
        for (int step = 0; step < 8; ++step) {
            TrackStep s;
            s.rcSelection = sel, s.cxView = v.cx, s.cyView = v.cy, s.pt = g.Point(mouse);
            s.hasShapes = s.toolChosen = shapes::ShapesBounds(marks, &s.rcShapesBounds);
            const int what = g.Int(0, 2);
            if (what == 2 && !rect::IsEmpty(sel)) {
                const POINT press = g.Point({sel.left, sel.top, sel.right - 1, sel.bottom - 1});
                const int tool = g.OneIn(2) ? TOOL_RECT : TOOL_ARROW, width = 1 << g.Int(0, 2);
                const POINT last = drawing::ClampToSelection(g.Point(mouse), sel, width);
                const drawing::Release r = drawing::ReleaseShape(tool, press, s.pt, last, sel);
                if (HitTest(sel, press).hit != HIT_BODY || r.kind == SHAPE_NONE) continue;
                marks.push_back(std::make_unique<CShape>());
                marks.back()->nKind = r.kind, marks.back()->ptFrom = r.ptFrom, marks.back()->ptTo = r.ptTo;
                story += ", mark " + Str(RECT{r.ptFrom.x, r.ptFrom.y, r.ptTo.x, r.ptTo.y});
                continue;
            }
            if (what == 0 && marks.empty()) {
                s.hit = HIT_BODY, s.ptTrackStart = g.Point(sel);
            } else {
                s.ptTrackStart = HandlePointForHit(sel, g.Int(0, 7));
                const HitResult hit = HitTest(sel, s.ptTrackStart);
                if (!hit.hasAnchor) continue;
                s.hit = hit.hit, s.ptAnchor = hit.anchor;
            }
            sel = MoveResizeSelection(s);
            story += ", hit " + std::to_string(s.hit) + " from " + Str(s.ptTrackStart) + " to " + Str(s.pt) + " -> " +
                     Str(sel);
            ASSERT_TRUE(output::ResultIsEmpty(sel) || Within(output::ResultCropRect(sel), {0, 0, v.cx, v.cy}))
                << g << story << ": crop " << Str(output::ResultCropRect(sel));
        }
    });
}

namespace {

// One byte dimmed by black at alpha/255, to the nearest level; exact halves cannot occur with 255 odd.
uint32_t DimmedByte(uint32_t v, int alpha) {
    const uint32_t q = v * (255u - static_cast<uint32_t>(alpha));
    return q / 255 + (2 * (q % 255) > 255 ? 1 : 0);
}
uint32_t DimmedPixel(uint32_t p, int alpha) {
    uint32_t out = 0;
    for (int k = 0; k < 4; ++k) out |= DimmedByte((p >> (8 * k)) & 0xFF, alpha) << (8 * k);
    return out;
}

}  // namespace

TEST(PropertyDimming, PixelPassAndChangedAreas) {
    ForAll("DimPixels", [](Gen& g) {
        // Lengths and offsets that leave partial blocks. The source ends where the range ends; the result goes
        // once between guard pixels, which must stay, and once into a buffer of exactly the range, so that the
        // sanitizer build sees any access past it.
        const int alpha = g.OneIn(4) ? (g.OneIn(2) ? 0 : 255) : g.Int(0, 255);
        const size_t n = size_t(g.OneIn(2) ? g.Int(0, 9) : g.Int(0, 70)), at = size_t(g.Int(0, 7));
        std::vector<uint32_t> src(at % 4 + n), before(n + 16);
        for (uint32_t& p : src) p = g.Bits();
        for (uint32_t& p : before) p = g.Bits();
        dimming::DimTable table;
        for (auto& byte : table.level)
            for (uint8_t& level : byte) level = static_cast<uint8_t>(g.Bits());
        const std::vector<uint32_t> srcBefore = src;
        for (bool rounded : {true, false}) {
            std::vector<uint32_t> dst = before, want = before, exact(n);
            for (uint32_t* to : {dst.data() + at, exact.data()}) {
                if (rounded) dimming::DimPixelsRounded(src.data() + at % 4, to, n, alpha);
                if (!rounded) dimming::DimPixels(src.data() + at % 4, to, n, table);
            }
            for (size_t i = 0; i < n; ++i) {
                const uint32_t p = src[at % 4 + i];
                want[at + i] = rounded ? DimmedPixel(p, alpha) : 0;
                for (int k = 0; !rounded && k < 4; ++k)
                    want[at + i] |= uint32_t{table.level[k][p >> 8 * k & 255]} << 8 * k;
            }
            EXPECT_TRUE(dst == want && src == srcBefore && std::equal(exact.begin(), exact.end(), want.begin() + at))
                << g << (rounded ? "rounded" : "table") << " pass, alpha " << alpha << ", " << n << " pixels at " << at;
        }
        const dimming::DimTable rt = dimming::RoundedTable(alpha);
        const int byte = g.Int(0, 3), value = g.Int(0, 255);
        dimming::DimTable off = rt;
        off.level[byte][value] ^= static_cast<uint8_t>(1 << g.Int(0, 7));
        EXPECT_TRUE(rt.level[byte][value] == DimmedByte(uint32_t(value), alpha) && dimming::IsRounded(rt, alpha) &&
                    !dimming::IsRounded(rt, (alpha + g.Int(1, 255)) % 256) && !dimming::IsRounded(off, alpha))
            << g << "alpha " << alpha << ", byte " << byte << " value " << value;
    });
    ForAll("ChangedArea", [](Gen& g) {
        const int cx = g.Int(1, 48), cy = g.Int(1, 32), reach = g.Int(0, 5);
        const RECT around = {-8, -8, cx + 8, cy + 8}, from = g.Drag(around);
        RECT to = g.OneIn(6) ? from : g.Drag(around);
        const int d = g.Int(-3, 3);
        if (g.OneIn(4)) to = {from.left + d, from.top + g.Int(-3, 3), from.right + g.Int(-3, 3), from.bottom - d};
        std::vector<RECT> area = {RECT{-1, -1, 99, 99}};
        const bool bounded = ChangedArea(from, to, reach, cx, cy, &area);
        const std::string in = Str(from) + " to " + Str(to) + " reach " + std::to_string(reach) + " on " +
                               std::to_string(cx) + "x" + std::to_string(cy);
        auto isFlat = [](const RECT& r) { return r.left == r.right || r.top == r.bottom; };
        const bool flat = isFlat(from) || isFlat(to);
        ASSERT_EQ(bounded, !flat) << g << in;
        if (flat) return;
        std::vector<char> covered(size_t(cx) * cy, 0);
        for (const RECT& r : area) {
            ASSERT_TRUE(!rect::IsEmpty(r) && Within(r, {0, 0, cx, cy})) << g << in << ": " << Str(r);
            for (LONG y = r.top; y < r.bottom; ++y)
                for (LONG x = r.left; x < r.right; ++x) covered[y * cx + x] = 1;
        }
        // Nothing for the same rectangle; else exactly the pixels whose dimming changes or that lie within
        // reach of an edge of either rectangle.
        const RECT a = Norm(from), b = Norm(to);
        auto nearEdge = [&](const RECT& r, POINT p) {
            return rect::Contains({r.left - reach, r.top - reach, r.right + reach, r.bottom + reach}, p) &&
                   !rect::Contains({r.left + reach, r.top + reach, r.right - reach, r.bottom - reach}, p);
        };
        for (LONG y = 0; y < cy; ++y) {
            for (LONG x = 0; x < cx; ++x) {
                const POINT p = {x, y};
                const bool changes = !rect::Equal(from, to) && (rect::Contains(a, p) != rect::Contains(b, p) ||
                                                                nearEdge(a, p) || nearEdge(b, p));
                ASSERT_EQ(covered[y * cx + x] == 1, changes) << g << in << " at " << Str(p);
            }
        }
    });
}

TEST(PropertyOutput, ExtensionDecidesTheFormat) {
    ForAll("ImageFormatForExtension", [](Gen& g) {
        using F = output::ImageFileFormat;
        static const std::pair<std::wstring, F> kExts[] = {
            {L"bmp", F::Bmp}, {L"jpg", F::Jpeg}, {L"jpeg", F::Jpeg}, {L"jpe", F::Jpeg}, {L"png", F::Png},
            {L"gif", F::Png}, {L"bm", F::Png},   {L"jpgx", F::Png}, {L"b mp", F::Png}, {L"", F::Png},
            {L"\x622a\x56fe", F::Png}};
        static const std::wstring kDirs[] = {L"", L"C:\\pics.bmp\\", L"Z:/tmp/a.jpg/", L"\\\\host\\share.png\\"};
        auto pick = [&g](const std::wstring& from, int most) {
            std::wstring s;
            for (int k = g.Int(0, most); k > 0; --k) s += from[size_t(g.Int(0, int(from.size()) - 1))];
            return s;
        };
        const auto& ext = kExts[g.Int(0, 10)];
        const std::wstring white = L" \t\x3000", last = pick(white, 1) + ext.first + pick(white, 1);
        // The file system drops trailing dots and spaces; where the extension is only spaces its dot goes
        // too, so then the stem carries no extension of its own.
        std::wstring stem = pick(L"aZ9_-. .\x622a\x00C9", 12);
        if (last.find_first_not_of(L' ') == std::wstring::npos)
            stem.erase(std::remove(stem.begin(), stem.end(), L'.'), stem.end());
        const std::wstring name = kDirs[g.Int(0, 3)] + stem + L"." + last + pick(L". ", 3);
        std::wstring flipped = name, bare = pick(white, 1) + ext.first + pick(white, 1);
        for (wchar_t& c : flipped)
            if (((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z')) && g.OneIn(2)) c ^= 0x20;
        // Only the last extension counts, whatever the stem and the folders carry, in any letter case; a bare
        // extension, with or without its dot, gives the same.
        using output::ImageFormatForExtension;
        using output::NormalisedExtension;
        EXPECT_TRUE(ImageFormatForExtension(name) == ext.second && ImageFormatForExtension(flipped) == ext.second &&
                    NormalisedExtension(name) == ext.first && NormalisedExtension(flipped) == ext.first &&
                    ImageFormatForExtension(bare) == ext.second && ImageFormatForExtension(L"." + bare) == ext.second)
            << g << testing::PrintToString(name) << " " << testing::PrintToString(flipped) << " "
            << testing::PrintToString(bare);
    });
}

namespace {

// Reads a PNG as the writer promises to make it: "" when it is one, else what is wrong.
std::string ReadPng(const std::vector<uint8_t>& png, int w, int h, std::vector<uint8_t>* rgba) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (png.size() < 8 || !std::equal(kSignature, kSignature + 8, png.begin())) return "signature";
    std::vector<std::string> types;
    std::vector<std::vector<uint8_t>> data;
    for (size_t at = 8; at < png.size(); at += 12 + data.back().size()) {
        if (at + 12 > png.size() || at + 12 + pngcheck::BigEndian32(png, at) > png.size()) return "chunk length";
        types.emplace_back(png.begin() + at + 4, png.begin() + at + 8);
        data.emplace_back(png.begin() + at + 8, png.begin() + at + 8 + pngcheck::BigEndian32(png, at));
        if (pngcheck::BigEndian32(png, at + 8 + data.back().size()) != pngcheck::Crc32(&png[at + 4], data.back().size() + 4)) return "CRC";
    }
    if (types != std::vector<std::string>{"IHDR", "IDAT", "IEND"} || !data[2].empty()) return "chunks";
    const std::vector<uint8_t>& ihdr = data[0];
    const std::vector<uint8_t>& z = data[1];
    if (ihdr.size() != 13 || pngcheck::BigEndian32(ihdr, 0) != uint32_t(w) || pngcheck::BigEndian32(ihdr, 4) != uint32_t(h) ||
        std::vector<uint8_t>(ihdr.begin() + 8, ihdr.end()) != std::vector<uint8_t>{8, 6, 0, 0, 0}) return "header";
    if (z.size() < 6 || (z[0] & 0x0F) != 8 || (z[0] * 256 + z[1]) % 31 != 0 || (z[1] & 0x20)) return "zlib header";
    std::vector<uint8_t> raw;
    size_t at = 2;
    for (bool final = false; !final; at += 5 + (z[at + 1] | z[at + 2] << 8)) {
        if (at + 5 > z.size() - 4 || ((z[at] >> 1) & 3) != 0) return "stored block";
        const size_t len = z[at + 1] | z[at + 2] << 8;
        if ((len ^ 0xFFFF) != size_t(z[at + 3] | z[at + 4] << 8) || at + 5 + len > z.size() - 4) return "block length";
        raw.insert(raw.end(), z.begin() + at + 5, z.begin() + at + 5 + len);
        final = z[at] & 1;
    }
    uint32_t s1 = 1, s2 = 0;
    for (uint8_t byte : raw) s1 = (s1 + byte) % 65521, s2 = (s2 + s1) % 65521;
    if (at + 4 != z.size() || pngcheck::BigEndian32(z, at) != (s2 << 16 | s1)) return "Adler-32";
    const size_t stride = 1 + 4 * size_t(w);
    if (raw.size() != stride * h) return "image data size";
    rgba->clear();
    for (int y = 0; y < h; ++y) {
        if (raw[stride * y] != 0) return "row filter";
        rgba->insert(rgba->end(), raw.begin() + stride * y + 1, raw.begin() + stride * (y + 1));
    }
    return "";
}

}  // namespace

TEST(PropertyPng, WriterOutputReadsBack) {
    ForAll("EncodeRgbaPng", [](Gen& g) {
        // Now and then a picture large enough for several stored blocks of at most 65535 bytes.
        const bool large = g.OneIn(40);
        const int w = large ? g.Int(100, 200) : g.Int(1, 40), h = large ? g.Int(90, 120) : g.Int(1, 40);
        std::vector<uint8_t> rgba(size_t(w) * h * 4), back;
        for (uint8_t& b : rgba) b = static_cast<uint8_t>(g.Bits());
        const std::string problem = ReadPng(tools::EncodeRgbaPng(w, h, rgba), w, h, &back);
        EXPECT_TRUE(problem.empty() && back == rgba)
            << g << w << "x" << h << ": " << (problem.empty() ? "pixels" : problem);
    });
}
